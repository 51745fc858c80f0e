// What the step commands read from and write to the main window. Frm_Main implements it;
// the commands never see a GUI toolkit.
#pragma once

#include <string>
#include <string_view>

namespace tx3 {

inline constexpr int kFolderCount = 8;   // TexteDossier(0..7)
inline constexpr int kStationCount = 5;  // TexteNomStation(0..4)
inline constexpr int kStepCount = 7;     // CommandCreerSettings(0..6), CheckAction(0..6)

// Roles of the folder fields.
namespace row {
inline constexpr int kApplication = 0;
inline constexpr int kConfig = 1;
inline constexpr int kLog = 2;
inline constexpr int kLogPub = 3;
inline constexpr int kMusicSounds = 4;
inline constexpr int kOtherSounds = 5;
inline constexpr int kData = 6;
inline constexpr int kRedist = 7;
}  // namespace row

class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;

  // The text of folder row `index` without the blanks around it (FrmMain::DossierRow keeps the
  // field as typed, with its colour).
  virtual std::string TexteDossier(int index) const = 0;
  virtual std::string TexteNomRadio() const = 0;
  virtual std::string TexteNomStation(int index) const = 0;
  virtual void SetTexteNomStation(int index, std::string_view text) = 0;
  virtual std::string DossierApplication() const = 0;
  virtual int PervasiveSelection() const = 0;  // ComboPervasive, -1 none
  virtual int ConverterSelection() const = 0;  // CombodBPowerAmp, -1 none
  virtual int PackageRowCount() const = 0;     // ListeTX rows
  virtual bool PackageRowChecked(int row) const = 0;
  virtual void SetCheckAction(int index, bool checked) = 0;  // CheckAction(index)
  virtual void TexteDossier_Change(int index) = 0;           // the folder field's change event
  virtual bool& TacheEnCours() = 0;                          // the busy flag
};

}  // namespace tx3
