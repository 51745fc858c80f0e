// The one binding between FrmMain and a window: which widget shows which control, what each
// control shows in the model's current state (texts, ticks, lists, a missing folder's colour and
// its words, accessible names), which change of the model goes to which widget, and which handler
// a click or an edit reaches. A view only creates and draws widgets: it implements ViewToolkit
// for them and reports what the operator does to them (Operated).
//
// A widget is known by its slot: the position of its control in WindowLayout().
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "app/window_layout.h"
#include "common/ui_port.h"

namespace tx3 {

// The slot of control `name`(`index`) in WindowLayout(); -1 when the window has none.
int LayoutSlot(std::string_view name, int index = -1);
// Every slot from top to bottom, then left to right, a field's label just before the (first) field
// it names: the order Tab follows in both windows, and the native window makes its controls in.
std::vector<int> SlotsInTabOrder();

// What a view does to its widgets, slot by slot. Nothing here decides what to show.
class ViewToolkit {
 public:
  virtual ~ViewToolkit() = default;
  virtual void SetTitle(std::string_view text) = 0;
  // The name a screen reader says for the widget (given once, when the binding starts).
  virtual void SetAccessibleName(int slot, std::string_view name) = 0;
  // A text field's text as the widget holds it now (what the operator may have typed).
  virtual std::string Text(int slot) const = 0;
  // Assigns a text field's text, shown from its start.
  virtual void SetText(int slot, std::string_view text) = 0;
  // A folder field whose folder does not exist: drawn red, with `description` for a screen reader
  // and as a tooltip; an empty description: the folder exists.
  virtual void SetFolderMissing(int slot, std::string_view description) = 0;
  virtual void SetChecked(int slot, bool checked) = 0;
  // A drop-down list: its rows, then its selection (-1: none).
  virtual void SetItems(int slot, const std::vector<std::string>& items) = 0;
  virtual void SetSelection(int slot, int row) = 0;
  // The list with a check box on each row: every row anew, or one row that is already shown.
  virtual void SetRows(int slot, const std::vector<CheckedRow>& rows) = 0;
  virtual void SetRow(int slot, int row, const CheckedRow& state) = 0;
  // The status bar's first panel, shown at once and read out to a screen reader.
  virtual void SetStatus(int slot, std::string_view text) = 0;
  // The window goes (CommandQuitter_Click).
  virtual void Close() = 0;
};

// What the operator did to a widget; a press carries nothing.
struct UserEvent {
  bool checked = false;        // a check box, or a row of the list with check boxes
  int row = -1;                // the chosen row of a drop-down list, the ticked row of the list
  std::string_view text = {};  // a text field's whole text after the keystroke
};

class ViewBinding {
 public:
  ViewBinding(FrmMain& model, ViewToolkit& view) : model_(model), view_(view) {}
  ~ViewBinding() { Stop(); }
  ViewBinding(const ViewBinding&) = delete;
  ViewBinding& operator=(const ViewBinding&) = delete;

  // Once the view's widgets exist: names them, shows every control as the model holds it and
  // follows the model's changes from then on.
  void Start();
  // The widgets are gone: no more changes reach them.
  void Stop();

  // Shows one control as the model holds it, after a change.
  void Render(const Change& change);

  // What the operator did to the widget of `slot`: pressed it (a button, the codec link), ticked
  // it or a row of it, typed in it, chose a row. The view's own assignments (while the binding
  // renders) are not forwarded: they would only echo the model back into it.
  void Operated(int slot, const UserEvent& event = {});

 private:
  void ShowText(int slot, const std::string& text);
  void RenderCombo(int slot, const ComboState& state);
  void RenderList(int row);

  FrmMain& model_;
  ViewToolkit& view_;
  int subscription_ = 0;
  int rendering_ = 0;
  // What the widgets were last given, so that an unchanged list is not built again.
  std::map<int, std::vector<std::string>> itemsShown_;  // by slot
  int rowsShown_ = -1;                                  // -1: the list was never filled
};

// The UI port of a window: message boxes titled with the window's caption, the folder dialog
// opened on the host's folder and answering a Windows path, the status text kept by the model.
// A view gives its toolkit's dialogs and its event pump.
class WindowUiPort : public UiPort {
 public:
  explicit WindowUiPort(FrmMain& model) : model_(model) {}

  void ShowMessage(std::string_view text, MsgIcon icon) final;
  std::optional<std::string> BrowseForFolder(std::string_view startFolder,
                                             std::string_view title) final;
  void SetStatusText(std::string_view text) final { model_.SetStatusText(text); }

 protected:
  // A modal box with an OK button only; `text` breaks its lines with CR LF.
  virtual void ShowBox(std::string_view title, std::string_view text, MsgIcon icon) = 0;
  // The modal folder dialog opened on host folder `start`: the chosen host folder, nothing (or
  // an empty text) when the operator cancelled.
  virtual std::optional<std::string> ChooseHostFolder(std::string_view start,
                                                      std::string_view title) = 0;

 private:
  FrmMain& model_;
};

}  // namespace tx3
