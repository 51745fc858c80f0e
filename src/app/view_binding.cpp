#include "app/view_binding.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "app/accessible_names.h"
#include "platform/platform.h"

namespace tx3 {
namespace {

// Every control the operator can act on or the model can change: its layout name, the model's
// change that re-renders it, and what the operator's action on it does.
struct Route {
  std::string_view name;
  Control change;  // Control::Unloaded: none (a button)
  void (*operated)(FrmMain& model, int index, const UserEvent& event);
};

constexpr Route kRoutes[] = {
    {"TexteNomRadio", Control::TexteNomRadio,
     [](FrmMain& m, int, const UserEvent& e) { m.SetTexteNomRadio(e.text); }},
    {"TexteNomStation", Control::TexteNomStation,
     [](FrmMain& m, int i, const UserEvent& e) { m.SetTexteNomStation(i, e.text); }},
    {"TexteDossier", Control::TexteDossier,
     [](FrmMain& m, int i, const UserEvent& e) { m.SetTexteDossier(i, e.text); }},
    {"CheckAction", Control::CheckAction,
     [](FrmMain& m, int i, const UserEvent& e) { m.SetCheckAction(i, e.checked); }},
    {"ComboPervasive", Control::ComboPervasive,
     [](FrmMain& m, int, const UserEvent& e) { m.SetComboPervasiveSelection(e.row); }},
    {"CombodBPowerAmp", Control::CombodBPowerAmp,
     [](FrmMain& m, int, const UserEvent& e) { m.SetCombodBPowerAmpSelection(e.row); }},
    {"ListeTX", Control::ListeTX,
     [](FrmMain& m, int, const UserEvent& e) { m.SetListeTXChecked(e.row, e.checked); }},
    {"CheckTX", Control::CheckTX,
     [](FrmMain& m, int, const UserEvent& e) {
       m.SetCheckTXValue(e.checked ? 1 : 0);
       m.CheckTX_Click();
     }},
    {"StatusBarMain", Control::StatusBarMain, nullptr},
    {"CommandDossier", Control::Unloaded,
     [](FrmMain& m, int i, const UserEvent&) { m.CommandDossier_Click(i); }},
    {"CommandDossierCreer", Control::Unloaded,
     [](FrmMain& m, int i, const UserEvent&) { m.CommandDossierCreer_Click(i); }},
    {"CommandCreerSettings", Control::Unloaded,
     [](FrmMain& m, int i, const UserEvent&) {
       m.CommandCreerSettings_Click(static_cast<int16_t>(i));
     }},
    {"CommandPervasiveCreate", Control::Unloaded,
     [](FrmMain& m, int, const UserEvent&) { m.CommandPervasiveCreate_Click(); }},
    {"LabelCODEC", Control::Unloaded,
     [](FrmMain& m, int, const UserEvent&) { m.LabelCODEC_Click(); }},
    {"CommandQuitter", Control::Unloaded,
     [](FrmMain& m, int, const UserEvent&) { m.CommandQuitter_Click(); }},
};

// The layout name of the control a change of the model re-renders; empty for the window itself.
std::string_view NameOf(Control control) {
  for (const Route& route : kRoutes) {
    if (route.change == control && control != Control::Unloaded) return route.name;
  }
  return {};
}

// The change of the model that re-renders control `name`; Control::Unloaded for none.
Control ChangeOf(std::string_view name) {
  for (const Route& route : kRoutes) {
    if (route.name == name) return route.change;
  }
  return Control::Unloaded;
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

std::vector<int> SlotsInTabOrder() {
  const auto layout = WindowLayout();
  std::vector<int> rows(layout.size());
  std::iota(rows.begin(), rows.end(), 0);
  std::stable_sort(rows.begin(), rows.end(), [layout](int x, int y) {
    const ControlLayout& a = layout[static_cast<size_t>(x)];
    const ControlLayout& b = layout[static_cast<size_t>(y)];
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  std::vector<int> order;
  const auto add = [&order](int slot) {
    if (std::find(order.begin(), order.end(), slot) == order.end()) order.push_back(slot);
  };
  for (int slot : rows) {
    const ControlLayout& control = layout[static_cast<size_t>(slot)];
    const ControlLayout* label = LabelOf(control);
    if (control.kind == ControlKind::TextField && label != nullptr) {
      add(static_cast<int>(label - layout.data()));
    }
    add(slot);
  }
  return order;
}

void ViewBinding::Start() {
  if (subscription_ == 0) {
    subscription_ = model_.Subscribe([this](const Change& change) { Render(change); });
  }
  Render({Control::Caption, -1});
  const auto layout = WindowLayout();
  for (size_t slot = 0; slot < layout.size(); ++slot) {
    const std::string name = AccessibleName(layout[slot]);
    if (!name.empty()) view_.SetAccessibleName(static_cast<int>(slot), name);
    const Control change = ChangeOf(layout[slot].name);
    if (change != Control::Unloaded) Render({change, layout[slot].index});
  }
}

void ViewBinding::Stop() {
  if (subscription_ != 0) model_.Unsubscribe(subscription_);
  subscription_ = 0;
}

void ViewBinding::Render(const Change& change) {
  const RenderingScope scope(rendering_);
  if (change.control == Control::Caption) return view_.SetTitle(model_.Caption());
  if (change.control == Control::Unloaded) return view_.Close();
  // A control of an array by its index; a single control (a list: the index is its row) alone.
  const std::string_view name = NameOf(change.control);
  const int i = change.index;
  const int slot = LayoutSlot(name, FindControl(name) != nullptr ? -1 : i);
  if (slot < 0) return;
  switch (change.control) {
    case Control::TexteNomRadio:
      ShowText(slot, model_.TexteNomRadio());
      break;
    case Control::TexteNomStation:
      ShowText(slot, model_.TexteNomStation(i));
      break;
    case Control::TexteDossier: {
      const FolderRow& row = model_.DossierRow(i);
      ShowText(slot, row.text);
      view_.SetFolderMissing(slot, row.color == FieldColor::Red ? kMissingFolderDescription : "");
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
    default:
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

void ViewBinding::Operated(int slot, const UserEvent& event) {
  const auto layout = WindowLayout();
  if (rendering_ > 0 || slot < 0 || slot >= static_cast<int>(layout.size())) return;
  const ControlLayout& control = layout[static_cast<size_t>(slot)];
  for (const Route& route : kRoutes) {
    if (route.name == control.name && route.operated != nullptr) {
      route.operated(model_, control.index, event);
    }
  }
  // The window goes even when the handler could not run to its end.
  if (control.name == "CommandQuitter") view_.Close();
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
