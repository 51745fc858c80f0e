// The native Windows view of Frm_Main: one Win32 control per control of the window layout,
// placed to the twip at the window's density. What each control shows and which handler it
// reaches is decided by the ViewBinding; this view only creates, fills and draws its controls.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "app/view_binding.h"
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

  // Places the window in the middle of its monitor's work area, fitted inside it.
  void CentreOnScreen();
  // Fits the window inside `area` (a monitor's work area, in screen pixels): the design's client
  // area scrolls in a smaller window when it does not fit; the window stands in the middle, its
  // top inside the area.
  void FitInto(const RECT& area);
  // Shows the window and puts the focus on the first field.
  void Show(int showCommand);

  // The density the controls are laid out at: the monitor's, grown with the system's text size.
  int Dpi() const { return layoutDpi_; }
  // The tip under a missing folder's field while it has the focus ("Dossier introuvable").
  HWND FocusTipWindow() const { return focusTip_; }
  // The control `name`(`index`) of the layout; nullptr when the window has none.
  HWND ControlWindow(std::string_view name, int index = -1) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool CreateMainWindow();
  void BuildControls();
  HWND MakeControl(const ControlLayout& control, int id);
  // The missing folders' tooltips and the focused field's tip.
  void MakeTips();
  void ShowFocusTip(HWND field, bool shown);
  void ApplyDpi();
  void PlaceControls();
  void Place(const RECT& area, bool centred);
  void ScrollTo(int x, int y);
  void OnScroll(int bar, int request);
  void ShowControl(HWND control);
  void FitListColumn();
  HWND At(int slot) const;
  int SlotOf(HWND control) const;

  void OnCommand(HWND from, int code);
  void PressFocusedButton();
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnCtlColorEdit(HDC dc, HWND field);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnDestroyed();
  void CloseWhenIdle();
  void CloseIfPendingAndIdle();

  FrmMain& model_;
  std::unique_ptr<AccessibleAnnotation> annotation_;
  class Widgets;  // what the binding asks of these controls
  std::unique_ptr<Widgets> toolkit_;
  ViewBinding binding_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  int layoutDpi_ = 96;  // dpi_ grown by the system's text scale
  SIZE design_{0, 0};   // the design's client area at layoutDpi_
  POINT scroll_{0, 0};  // the first pixel of the design shown
  bool quitWhenClosed_ = false;
  // A close asked for while a command runs (its message boxes still to come) waits for its end.
  bool closePending_ = false;
  HWND lastFocus_ = nullptr;
  std::vector<HWND> widgets_;               // by slot of the layout
  std::vector<std::wstring> missingWords_;  // by slot: what a red field says, empty for no red

  HFONT font_ = nullptr;
  HFONT linkFont_ = nullptr;
  HBRUSH redBrush_ = nullptr;
  HBITMAP logo_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;

  HWND folderTips_ = nullptr;  // the missing folders' tooltips
  HWND focusTip_ = nullptr;    // shown under a missing folder's field that has the focus
};

}  // namespace tx3
