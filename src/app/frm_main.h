// Frm_Main, the main window as a model: the state of every control, DossierApplication,
// TacheEnCours, and every handler. A view (Qt window, batch front end) renders this state,
// forwards clicks and edits to the handlers and re-renders when told of a change. No toolkit here.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/database_state.h"
#include "settings/settings_window.h"
#include "system/system_context.h"

namespace tx3 {

class ErrorPattern;

inline constexpr int kPackageRowCount = 18;  // ListeTX rows at start-up

// The rows Form_Load fills ComboPervasive and CombodBPowerAmp with.
std::span<const std::string_view> PervasiveRows();
std::span<const std::string_view> ConverterRows();

// A folder field's background: the normal background of the text fields, or RGB(255, 0, 0).
enum class FieldColor { Normal, Red };

struct FolderRow {
  std::string text;                       // as typed
  FieldColor color = FieldColor::Normal;  // its background
};

// A drop-down list (ComboPervasive, CombodBPowerAmp).
struct ComboState {
  std::vector<std::string> items;
  int selected = -1;  // -1: no row selected
};

// A row of the list with check boxes (ListeTX).
struct CheckedRow {
  std::string text;
  bool checked = false;
};

// Which control changed, for views that re-render one control at a time.
enum class Control {
  Caption,  // the window's title
  TexteNomRadio,
  TexteNomStation,  // index 0..4
  TexteDossier,     // index 0..7: text and/or colour
  CheckAction,      // index 0..6
  ComboPervasive,   // items and/or selection
  CombodBPowerAmp,  // items and/or selection
  ListeTX,          // index of the row, -1 for the whole list (rows added or removed)
  CheckTX,
  StatusBarMain,  // the first panel's text
  Unloaded,       // CommandQuitter_Click: the view closes the window
};

struct Change {
  Control control;
  int index = -1;  // the control's index in its array, -1 when it has none
};

class FrmMain : public SettingsWindow {
 public:
  using Listener = std::function<void(const Change&)>;

  FrmMain() = default;
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // ---- Life cycle ----
  // The state of the run this window drives: error record, folder memory, version facts...
  // Views install their UI port here before Create.
  SystemContext& Run() { return run_; }
  const SystemContext& Run() const { return run_; }
  void SetUiPort(UiPort* port) { run_.SetUiPort(port); }

  // Creating the window: Form_Initialize then Form_Load. Install the view's UI port first.
  void Create();
  void Form_Initialize();
  void Form_Load();
  bool Unloaded() const { return unloaded_; }
  // A start-up parameter: the application folder whose Settings\TX3_Config.ini the read-back
  // reads instead of the default one of folder row 0 (the batch front end's folder row 0). Set
  // before Create; ReadBackFolder is then the folder looked in, normalised by CheckRep.
  void SetReadBackFolder(std::string_view folder) { readBackFolder_ = folder; }
  const std::string& ReadBackFolder() const { return readBackFolder_; }

  // ---- Change notification ----
  // Listeners run synchronously after each change of the model. Answers an id for Unsubscribe.
  int Subscribe(Listener listener);
  void Unsubscribe(int id);

  // ---- Controls: read ----
  const std::string& Caption() const { return caption_; }
  // Folder row `index` as typed, with its colour; TexteDossier(index) is its text without blanks.
  const FolderRow& DossierRow(int index) const;
  bool CheckAction(int index) const;
  const ComboState& ComboPervasive() const { return comboPervasive_; }
  const ComboState& CombodBPowerAmp() const { return combodBPowerAmp_; }
  const std::vector<CheckedRow>& ListeTX() const { return listeTX_; }
  int CheckTXValue() const { return checkTX_; }  // 0 unchecked, 1 checked
  const std::string& StatusText() const { return statusText_; }

  // ---- Controls: edits (what a keystroke or a selection does) ----
  void SetCaption(std::string_view text);
  void SetTexteNomRadio(std::string_view text);
  // Assigns the text of folder row `index`; runs TexteDossier_Change(index) before returning,
  // as the change event does.
  void SetTexteDossier(int index, std::string_view text);
  void SetComboPervasiveSelection(int row);   // -1: none
  void SetCombodBPowerAmpSelection(int row);  // -1: none
  void SetListeTXChecked(int row, bool checked);
  // The check box's value only; a click is SetCheckTXValue then CheckTX_Click.
  void SetCheckTXValue(int value);
  // The first panel of StatusBarMain. A view's UiPort::SetStatusText lands here.
  void SetStatusText(std::string_view text);

  // ---- Handlers ----
  void TexteDossier_Change(int index) override;
  void CommandDossier_Click(int index);            // "..."
  void CommandDossierCreer_Click(int index);       // "Créer"
  void CommandCreerSettings_Click(int16_t index);  // "Etape 1" .. "Etape 7" (0 .. 6)
  void CommandPervasiveCreate_Click();             // "Créer les fichiers de la base de données"
  void CommandQuitter_Click();                     // "Quitter"
  void CheckTX_Click();                            // "(Dé)Cocher"
  void LabelCODEC_Click();                         // "Codecs Audio"

  // ---- SettingsWindow (what the step commands see) ----
  std::string TexteDossier(int index) const override;
  std::string TexteNomRadio() const override { return radioName_; }
  std::string TexteNomStation(int index) const override;
  void SetTexteNomStation(int index, std::string_view text) override;
  std::string DossierApplication() const override { return dossierApplication_; }
  int PervasiveSelection() const override { return comboPervasive_.selected; }
  int ConverterSelection() const override { return combodBPowerAmp_.selected; }
  int PackageRowCount() const override { return static_cast<int>(listeTX_.size()); }
  bool PackageRowChecked(int row) const override;
  void SetCheckAction(int index, bool checked) override;
  bool& TacheEnCours() override { return tacheEnCours_; }

 private:
  void Notify(Control control, int index = -1);
  void Select(ComboState& combo, Control control, int row);
  void ReadBack(ErrorPattern& e);

  SystemContext run_;
  DatabaseState database_;

  std::string caption_ = "Installation d'Tarvox";
  std::string radioName_;
  std::string stationNames_[kStationCount];
  FolderRow folders_[kFolderCount];
  bool checkAction_[kStepCount] = {};
  ComboState comboPervasive_;
  ComboState combodBPowerAmp_;
  std::vector<CheckedRow> listeTX_;
  int checkTX_ = 1;
  std::string statusText_;
  std::string dossierApplication_;
  std::string readBackFolder_;  // empty: the default application folder
  bool tacheEnCours_ = false;
  bool unloaded_ = false;

  struct Subscription {
    int id;
    Listener listener;
  };
  std::vector<Subscription> listeners_;
  int nextListenerId_ = 1;
};

// The program's version as the title shows it: each part on four digits ("2026.1208.0001").
std::string ProgramVersionText(RunContext& run);

}  // namespace tx3
