// The state of Frm_Main's controls, its edits and the change notification.
#include "app/frm_main.h"
#include "common/text.h"

#include <algorithm>

#include "common/n2s.h"
#include "settings/download_addresses.h"

// The build sets the version; a build without it shows 0000.0000.0000.
#ifndef TX3_VERSION_MAJOR
#define TX3_VERSION_MAJOR 0
#define TX3_VERSION_MINOR 0
#define TX3_VERSION_PATCH 0
#endif

namespace tx3 {
namespace {

bool InRange(int index, int count) {
  return index >= 0 && index < count;
}

}  // namespace

std::string ProgramVersionText(RunContext& run) {
  return N2S(run, TX3_VERSION_MAJOR, 4, 0, "0") + "." + N2S(run, TX3_VERSION_MINOR, 4, 0, "0") +
         "." + N2S(run, TX3_VERSION_PATCH, 4, 0, "0");
}

void FrmMain::Create() {
  run_.UpdateHost = RunTimeUpdateHost();
  Form_Initialize();
  Form_Load();
}

int FrmMain::Subscribe(Listener listener) {
  const int id = nextListenerId_++;
  listeners_.push_back({id, std::move(listener)});
  return id;
}

void FrmMain::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const Subscription& s) { return s.id == id; });
}

void FrmMain::Notify(Control control, int index) {
  // A copy: a listener may subscribe or unsubscribe while it is told.
  const std::vector<Subscription> listeners = listeners_;
  for (const Subscription& s : listeners) s.listener(Change{control, index});
}

// ---- Reads ----

const FolderRow& FrmMain::DossierRow(int index) const {
  static const FolderRow none;
  return InRange(index, kFolderCount) ? folders_[index] : none;
}

bool FrmMain::CheckAction(int index) const {
  return InRange(index, kStepCount) && checkAction_[index];
}

// ---- Edits ----

void FrmMain::SetCaption(std::string_view text) {
  caption_ = text;
  Notify(Control::Caption);
}

void FrmMain::SetTexteNomRadio(std::string_view text) {
  radioName_ = text;
  Notify(Control::TexteNomRadio);
}

void FrmMain::SetTexteNomStation(int index, std::string_view text) {
  if (!InRange(index, kStationCount)) return;
  stationNames_[index] = text;
  Notify(Control::TexteNomStation, index);
}

void FrmMain::SetTexteDossier(int index, std::string_view text) {
  if (!InRange(index, kFolderCount)) return;
  folders_[index].text = text;
  TexteDossier_Change(index);
}

void FrmMain::SetComboPervasiveSelection(int row) {
  Select(comboPervasive_, Control::ComboPervasive, row);
}

void FrmMain::SetCombodBPowerAmpSelection(int row) {
  Select(combodBPowerAmp_, Control::CombodBPowerAmp, row);
}

void FrmMain::Select(ComboState& combo, Control control, int row) {
  if (row < -1 || row >= static_cast<int>(combo.items.size())) return;
  combo.selected = row;
  Notify(control);
}

void FrmMain::SetListeTXChecked(int row, bool checked) {
  if (!InRange(row, static_cast<int>(listeTX_.size()))) return;
  listeTX_[row].checked = checked;
  Notify(Control::ListeTX, row);
}

void FrmMain::SetCheckTXValue(int value) {
  checkTX_ = value;
  Notify(Control::CheckTX);
}

void FrmMain::SetStatusText(std::string_view text) {
  statusText_ = text;
  Notify(Control::StatusBarMain);
}

// ---- SettingsWindow ----

// Blanks around a typed folder are not part of the Windows folder name the operator meant: every
// use of the folder goes without them, while the field keeps what was typed.
std::string FrmMain::TexteDossier(int index) const {
  return Trim(DossierRow(index).text);
}
std::string FrmMain::TexteNomStation(int index) const {
  return InRange(index, kStationCount) ? stationNames_[index] : std::string();
}

bool FrmMain::PackageRowChecked(int row) const {
  return InRange(row, PackageRowCount()) && listeTX_[row].checked;
}

void FrmMain::SetCheckAction(int index, bool checked) {
  if (!InRange(index, kStepCount)) return;
  checkAction_[index] = checked;
  Notify(Control::CheckAction, index);
}

}  // namespace tx3
