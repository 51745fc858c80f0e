#include "app/view_binding.h"

#include <cstdint>

#include "app/accessible_names.h"
#include "platform/platform.h"

namespace tx3 {
namespace {

// The layout control that shows each control of the model with an index; nullptr for the window
// itself.
std::string_view ControlName(Control control) {
  switch (control) {
    case Control::TexteNomRadio:
      return "TexteNomRadio";
    case Control::TexteNomStation:
      return "TexteNomStation";
    case Control::TexteDossier:
      return "TexteDossier";
    case Control::CheckAction:
      return "CheckAction";
    case Control::ComboPervasive:
      return "ComboPervasive";
    case Control::CombodBPowerAmp:
      return "CombodBPowerAmp";
    case Control::ListeTX:
      return "ListeTX";
    case Control::CheckTX:
      return "CheckTX";
    case Control::StatusBarMain:
      return "StatusBarMain";
    case Control::Caption:
    case Control::Unloaded:
      break;
  }
  return {};
}

const ControlLayout* AtSlot(int slot) {
  const auto layout = WindowLayout();
  return slot >= 0 && slot < static_cast<int>(layout.size()) ? &layout[slot] : nullptr;
}

// While it lives, the widgets' notifications are the binding's own doing.
class RenderingScope {
 public:
  explicit RenderingScope(int& depth) : depth_(depth) { ++depth_; }
  ~RenderingScope() { --depth_; }
  RenderingScope(const RenderingScope&) = delete;
  RenderingScope& operator=(const RenderingScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

int LayoutSlot(std::string_view name, int index) {
  const ControlLayout* control = FindControl(name, index);
  return control == nullptr ? -1 : static_cast<int>(control - WindowLayout().data());
}

void ViewBinding::Start() {
  const auto layout = WindowLayout();
  for (size_t slot = 0; slot < layout.size(); ++slot) {
    const std::string name = AccessibleName(layout[slot]);
    if (!name.empty()) view_.SetAccessibleName(static_cast<int>(slot), name);
  }
  if (subscription_ == 0) {
    subscription_ = model_.Subscribe([this](const Change& change) { Render(change); });
  }
  RenderAll();
}

void ViewBinding::Stop() {
  if (subscription_ != 0) model_.Unsubscribe(subscription_);
  subscription_ = 0;
}

void ViewBinding::RenderAll() {
  for (Control control : {Control::Caption, Control::TexteNomRadio, Control::ComboPervasive,
                          Control::CombodBPowerAmp, Control::CheckTX, Control::StatusBarMain}) {
    Render({control, -1});
  }
  for (int i = 0; i < kStationCount; ++i) Render({Control::TexteNomStation, i});
  for (int i = 0; i < kFolderCount; ++i) Render({Control::TexteDossier, i});
  for (int s = 0; s < kStepCount; ++s) Render({Control::CheckAction, s});
  Render({Control::ListeTX, -1});
}

void ViewBinding::Render(const Change& change) {
  const RenderingScope scope(rendering_);
  const int i = change.index;
  const bool indexed = change.control == Control::TexteNomStation ||
                       change.control == Control::TexteDossier ||
                       change.control == Control::CheckAction;
  const int slot = LayoutSlot(ControlName(change.control), indexed ? i : -1);
  switch (change.control) {
    case Control::Caption:
      view_.SetTitle(model_.Caption());
      return;
    case Control::Unloaded:
      view_.Close();
      return;
    default:
      break;
  }
  if (slot < 0) return;
  switch (change.control) {
    case Control::TexteNomRadio:
      ShowText(slot, model_.TexteNomRadio());
      break;
    case Control::TexteNomStation:
      ShowText(slot, model_.TexteNomStation(i));
      break;
    case Control::TexteDossier: {
      const FolderRow& row = model_.TexteDossier(i);
      ShowText(slot, row.text);
      view_.SetFolderMissing(slot, row.color == FieldColor::Red,
                             AccessibleDescription(model_, "TexteDossier", i));
      break;
    }
    case Control::CheckAction:
      view_.SetChecked(slot, model_.CheckAction(i));
      break;
    case Control::ComboPervasive:
      RenderCombo(slot, model_.ComboPervasive());
      break;
    case Control::CombodBPowerAmp:
      RenderCombo(slot, model_.CombodBPowerAmp());
      break;
    case Control::ListeTX:
      RenderList(i);
      break;
    case Control::CheckTX:
      view_.SetChecked(slot, model_.CheckTXValue() == 1);
      break;
    case Control::StatusBarMain:
      view_.SetStatus(slot, model_.StatusText());
      break;
    case Control::Caption:
    case Control::Unloaded:
      break;
  }
}

// Assigned only when it differs, so that typing keeps the cursor where it is.
void ViewBinding::ShowText(int slot, const std::string& text) {
  if (view_.Text(slot) != text) view_.SetText(slot, text);
}

void ViewBinding::RenderCombo(int slot, const ComboState& state) {
  const auto shown = itemsShown_.find(slot);
  if (shown == itemsShown_.end() || shown->second != state.items) {
    view_.SetItems(slot, state.items);
    itemsShown_[slot] = state.items;
  }
  view_.SetSelection(slot, state.selected);
}

// One row when it is already shown; the whole list when its rows themselves changed.
void ViewBinding::RenderList(int row) {
  const int slot = LayoutSlot("ListeTX");
  const std::vector<CheckedRow>& rows = model_.ListeTX();
  if (row >= 0 && row < rowsShown_ && row < static_cast<int>(rows.size())) {
    view_.SetRow(slot, row, rows[row]);
    return;
  }
  view_.SetRows(slot, rows);
  rowsShown_ = static_cast<int>(rows.size());
}

// ---- What the operator did ----

void ViewBinding::Pressed(int slot) {
  const ControlLayout* control = AtSlot(slot);
  if (control == nullptr || Rendering()) return;
  const std::string_view name = control->name;
  const int i = control->index;
  if (name == "CommandDossier") {
    model_.CommandDossier_Click(i);
  } else if (name == "CommandDossierCreer") {
    model_.CommandDossierCreer_Click(i);
  } else if (name == "CommandCreerSettings") {
    model_.CommandCreerSettings_Click(static_cast<int16_t>(i));
  } else if (name == "CommandPervasiveCreate") {
    model_.CommandPervasiveCreate_Click();
  } else if (name == "LabelCODEC") {
    model_.LabelCODEC_Click();
  } else if (name == "CommandQuitter") {
    model_.CommandQuitter_Click();
    view_.Close();
  }
}

void ViewBinding::Toggled(int slot, bool checked) {
  const ControlLayout* control = AtSlot(slot);
  if (control == nullptr || Rendering()) return;
  if (control->name == "CheckAction") {
    model_.SetCheckAction(control->index, checked);
  } else if (control->name == "CheckTX") {
    model_.SetCheckTXValue(checked ? 1 : 0);
    model_.CheckTX_Click();
  }
}

void ViewBinding::TextEdited(int slot, std::string_view text) {
  const ControlLayout* control = AtSlot(slot);
  if (control == nullptr || Rendering()) return;
  if (control->name == "TexteNomRadio") {
    model_.SetTexteNomRadio(text);
  } else if (control->name == "TexteNomStation") {
    model_.SetTexteNomStation(control->index, text);
  } else if (control->name == "TexteDossier") {
    model_.SetFolderText(control->index, text);
  }
}

void ViewBinding::SelectionChanged(int slot, int row) {
  const ControlLayout* control = AtSlot(slot);
  if (control == nullptr || Rendering()) return;
  if (control->name == "ComboPervasive") {
    model_.SetComboPervasiveSelection(row);
  } else if (control->name == "CombodBPowerAmp") {
    model_.SetCombodBPowerAmpSelection(row);
  }
}

void ViewBinding::RowToggled(int slot, int row, bool checked) {
  const ControlLayout* control = AtSlot(slot);
  if (control == nullptr || Rendering() || control->name != "ListeTX") return;
  model_.SetListeTXChecked(row, checked);
}

// ---- The window's UI port ----

void WindowUiPort::ShowMessage(std::string_view text, MsgIcon icon) {
  ShowBox(model_.Caption(), text, icon);
}

std::optional<std::string> WindowUiPort::BrowseForFolder(std::string_view startFolder,
                                                         std::string_view title) {
  const std::string start = platform::Os().HostPathForDialog(startFolder);
  const std::optional<std::string> chosen = ChooseHostFolder(start, title);
  if (!chosen || chosen->empty()) return std::nullopt;
  return platform::Os().WindowsPathFromHost(*chosen);
}

}  // namespace tx3
