// A settings window for the tests of the step commands, and the fixture that installs the fake
// platform and UI port around it.
#pragma once

#include <gtest/gtest.h>
#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_defaults.h"
#include "common/error.h"
#include "common/text.h"
#include "settings/settings_window.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/test_files.h"
#include "support/use_platform.h"
#include "system/system_context.h"

namespace tx3::testing {

// The window's state, as plain fields; the defaults are those the window opens with.
class TestWindow : public SettingsWindow {
 public:
  std::array<std::string, kFolderCount> folders = DefaultFolders();
  std::string radio = "Nom de votre Radio";
  std::array<std::string, kStationCount> stations = {"Nom de la Station 1", "", "", "", ""};
  std::string applicationFolder = "C:\\Brennic\\Tarvox\\";
  int pervasive = 0;
  int converter = 0;
  std::vector<bool> packages = std::vector<bool>(18, true);
  std::array<bool, kStepCount> checkAction{};
  std::vector<int> folderChanges;        // TexteDossier_Change calls, in order
  mutable std::vector<int> folderReads;  // TexteDossier calls, in order
  bool busy = false;

  std::string TexteDossier(int index) const override {
    folderReads.push_back(index);
    return folders.at(index);
  }
  std::string TexteNomRadio() const override { return radio; }
  std::string TexteNomStation(int index) const override { return stations.at(index); }
  void SetTexteNomStation(int index, std::string_view text) override {
    stations.at(index) = std::string(text);
  }
  std::string DossierApplication() const override { return applicationFolder; }
  int PervasiveSelection() const override { return pervasive; }
  int ConverterSelection() const override { return converter; }
  int PackageRowCount() const override { return static_cast<int>(packages.size()); }
  bool PackageRowChecked(int row) const override { return packages.at(row); }
  void SetCheckAction(int index, bool checked) override { checkAction.at(index) = checked; }
  void TexteDossier_Change(int index) override { folderChanges.push_back(index); }
  bool& TacheEnCours() override { return busy; }

 private:
  static std::array<std::string, kFolderCount> DefaultFolders() {
    std::array<std::string, kFolderCount> texts;
    for (int i = 0; i < kFolderCount; ++i) texts[i] = std::string(kDefaultFolders[i]);
    return texts;
  }
};

// Fake platform (drive C: with C:\windows), fake UI port and a fresh run for each test.
class SettingsTest : public ::testing::Test {
 protected:
  std::string ConfigFile(std::string_view name) const {
    return "C:\\Brennic\\Tarvox\\Config\\" + std::string(name);
  }

  FakePlatform os;
  UsePlatform guard{os};
  FakeUi ui;
  SystemContext run{&ui};
  TestWindow window;
};

// A reference file of tests/settings/data, as stored (Windows-1252 bytes).
inline std::string ReferenceFile(std::string_view name) {
  std::ifstream in(TestDataFile("settings/data/" + std::string(name)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace tx3::testing
