// The native Windows view of Frm_Main: one Win32 control per control of the window layout,
// placed to the twip at the window's density, rendered from the model and re-rendered on each of
// its change notifications. Clicks and edits go straight to the model's handlers; nothing is
// decided here.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "app/frm_main.h"
#include "app/win32/accessible_annotation.h"
#include "app/window_layout.h"

namespace tx3 {

class Win32MainWindow {
 public:
  // Creates the window, hidden, with every control; `annotation` gives the controls the names and
  // descriptions a screen reader says.
  explicit Win32MainWindow(FrmMain& model,
                           std::unique_ptr<AccessibleAnnotation> annotation = SystemAnnotation());
  ~Win32MainWindow();
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // False once the window is destroyed (closed, "Quitter") or when it could not be created.
  bool IsOpen() const { return hwnd_ != nullptr; }
  // Ends the message loop (WM_QUIT) when the window goes; the program's window does, a test's
  // does not.
  void QuitWhenClosed(bool quit) { quitWhenClosed_ = quit; }

  // Shows every control as the model holds it.
  void RenderAll();
  // Places the window in the middle of its monitor's work area.
  void CentreOnScreen();
  // Shows the window and puts the focus on the first field.
  void Show(int showCommand);

  // The density the controls are laid out at.
  int Dpi() const { return dpi_; }
  // The control `name`(`index`) of the layout; nullptr when the window has none.
  HWND ControlWindow(std::string_view name, int index = -1) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool CreateMainWindow();
  void BuildControls();
  HWND MakeControl(const ControlLayout& control, int id);
  void FindTypedControls();
  void AnnotateControls();
  void MakeFolderTips();
  void ApplyDpi();
  void PlaceControls();
  void FitComboHeight(HWND combo, int height);
  void FitListColumn();

  void OnCommand(HWND from, int code);
  void PressFocusedButton();
  void OnTextEdited(HWND field);
  void OnButtonClicked(HWND button);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnCtlColorEdit(HDC dc, HWND field);
  void DrawLink(const DRAWITEMSTRUCT& item);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnDestroyed();
  void CloseWhenIdle();
  void CloseIfPendingAndIdle();

  void Render(const Change& change);
  void ShowText(HWND field, const std::string& text);
  void RenderFolder(int index);
  void RenderCombo(HWND combo, const ComboState& state);
  void RenderListRow(int row);
  void RenderList();
  void RenderStatus();

  FrmMain& model_;
  std::unique_ptr<AccessibleAnnotation> annotation_;
  int subscription_ = 0;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  bool quitWhenClosed_ = false;
  // A close asked for while a command runs (its message boxes still to come) waits for its end.
  bool closePending_ = false;
  int rendering_ = 0;  // > 0 while the view itself changes its controls
  HWND lastFocus_ = nullptr;
  std::map<std::pair<std::string, int>, HWND> controls_;

  HFONT font_ = nullptr;
  HFONT linkFont_ = nullptr;
  HBRUSH redBrush_ = nullptr;
  HBITMAP logo_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;

  HWND radio_ = nullptr;
  HWND stations_[kStationCount] = {};
  HWND folders_[kFolderCount] = {};
  HWND browseButtons_[kFolderCount] = {};  // CommandDossier(i)
  HWND createButtons_[kFolderCount] = {};  // CommandDossierCreer(i)
  HWND checkActions_[kStepCount] = {};
  HWND stepButtons_[kStepCount] = {};  // CommandCreerSettings(i)
  HWND databaseButton_ = nullptr;      // CommandPervasiveCreate
  HWND quitButton_ = nullptr;          // CommandQuitter
  HWND pervasive_ = nullptr;
  HWND converter_ = nullptr;
  HWND liste_ = nullptr;
  HWND checkTX_ = nullptr;
  HWND link_ = nullptr;  // LabelCODEC
  HWND image_ = nullptr;
  HWND status_ = nullptr;
  HWND folderTips_ = nullptr;  // the missing folders' tooltips
};

}  // namespace tx3
