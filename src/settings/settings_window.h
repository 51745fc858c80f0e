// What the step commands read from and write to the main window. Frm_Main implements it;
// the commands never see a GUI toolkit.
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

inline constexpr int kFolderCount = 8;   // TexteDossier(0..7)
inline constexpr int kStationCount = 5;  // TexteNomStation(0..4)
inline constexpr int kStepCount = 7;     // CommandCreerSettings(0..6), CheckAction(0..6)

class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;

  virtual std::string FolderText(int index) const = 0;   // TexteDossier(index)
  virtual std::string RadioName() const = 0;             // TexteNomRadio
  virtual std::string StationName(int index) const = 0;  // TexteNomStation(index)
  virtual void SetStationName(int index, std::string_view text) = 0;
  virtual std::string ApplicationFolder() const = 0;  // DossierApplication
  virtual int PervasiveSelection() const = 0;         // ComboPervasive, -1 none
  virtual int ConverterSelection() const = 0;         // CombodBPowerAmp, -1 none
  virtual int PackageRowCount() const = 0;            // ListeTX rows
  virtual bool PackageRowChecked(int row) const = 0;
  virtual void SetCheckAction(int index, bool checked) = 0;  // CheckAction(index)
  virtual void FolderTextChanged(int index) = 0;             // runs TexteDossier_Change(index)
  virtual bool& TacheEnCours() = 0;                          // the busy flag
};

}  // namespace tx3
