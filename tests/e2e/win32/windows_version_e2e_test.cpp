// The Windows version tx3_setup.com is told decides whether step 2 writes Win.ini: never on
// Windows 10 (nor 11, nor anything from Vista on); on Windows XP x64 (5.2) its three keys of
// [Brennic], which the dry run lists and the report shows like any settings file. Wine tells a
// program the version its AppDefaults key names, so these tests only mean something under Wine.
#include <gmock/gmock.h>
#include <windows.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/win32/temp_folder.h"
#include "platform/win32/wide_text.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using Json = nlohmann::json;

constexpr const wchar_t* kProgramDefaults = L"Software\\Wine\\AppDefaults\\tx3_setup.com";

bool UnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The Windows version Wine tells tx3_setup.com (and no other program), for one test.
class WineVersionOfTheProgram {
 public:
  explicit WineVersionOfTheProgram(const std::wstring& version) {
    HKEY key = nullptr;
    set_ = ::RegCreateKeyExW(HKEY_CURRENT_USER, kProgramDefaults, 0, nullptr, 0, KEY_SET_VALUE,
                             nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (!set_) return;
    set_ = ::RegSetValueExW(
               key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
               static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ::RegCloseKey(key);
  }
  ~WineVersionOfTheProgram() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProgramDefaults); }
  WineVersionOfTheProgram(const WineVersionOfTheProgram&) = delete;
  WineVersionOfTheProgram& operator=(const WineVersionOfTheProgram&) = delete;
  bool set() const { return set_; }

 private:
  bool set_ = false;
};

std::string WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
  return platform::win32::Narrow(std::wstring_view(folder, length));
}

std::string BrennicKey(const wchar_t* key) {
  wchar_t value[256] = {};
  ::GetProfileStringW(L"Brennic", key, L"(none)", value, 256);
  return platform::win32::Narrow(value);
}

class WindowsVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UnderWine()) GTEST_SKIP() << "the version a program is told is set through Wine";
    Clean();
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    for (const char* folder :
         {"C:\\Brennic", "C:\\Kalvet", "C:\\TX_Sons", "C:\\TX_Data", "C:\\TX_Redist"}) {
      RemoveTree(folder);
    }
    ::WriteProfileStringW(L"Brennic", nullptr, nullptr);
  }
  std::string Report() const { return temp_.path() + "\\version_report.json"; }
  const platform::win32::TempFolder temp_;
  static std::string WinIni() { return WindowsFolder() + "\\Win.ini"; }
  // The settings files of an action of the report, by name.
  static Json SettingsFile(const Json& report, size_t action, const std::string& file) {
    for (const Json& f : report["actions"][action]["settingsFiles"]) {
      if (f["file"] == file) return f;
    }
    return Json();
  }
};

// What Windows 10 and 11 tell a program that declares their support: version 10.0.
TEST_F(WindowsVersionTest, OnWindows10StepsOneToThreeLeaveWinIniAlone) {
  const WineVersionOfTheProgram version(L"win10");
  ASSERT_TRUE(version.set());
  const std::string before = ReadFileBytes(WinIni());
  const ProgramRun dry = RunSetup(
      {"--batch", "--dry-run", "--step", "1", "--step", "2", "--step", "3", "--report", Report()});
  EXPECT_EQ(dry.status, 3) << dry.out << dry.err;
  EXPECT_THAT(dry.out, Not(HasSubstr("Win.ini")));
  const ProgramRun real = RunSetup({"--batch", "--step", "1", "--step", "2", "--step", "3"});
  EXPECT_EQ(real.status, 0) << real.out << real.err;
  EXPECT_EQ(ReadFileBytes(WinIni()), before);
  EXPECT_EQ(BrennicKey(L"INI_TARVOX"), "(none)");
}

// Windows XP x64 (5.2): step 2 writes the configuration pointers to Win.ini; the dry run lists
// them as a change (status 3), the reports show each key before and after and whether it was
// written.
TEST_F(WindowsVersionTest, OnWindowsXpStepTwoWritesWinIniAndSaysSo) {
  const WineVersionOfTheProgram version(L"winxp64");
  ASSERT_TRUE(version.set());
  const std::string before = ReadFileBytes(WinIni());
  const std::string config = "C:\\Brennic\\Tarvox\\Config\\";

  const ProgramRun dry = RunSetup(
      {"--batch", "--dry-run", "--verbose", "--step", "1", "--step", "2", "--report", Report()});
  EXPECT_EQ(dry.status, 3) << dry.out << dry.err;
  EXPECT_THAT(dry.out, HasSubstr("Fichiers de paramètres à écrire : 2\n  " + WinIni() +
                                 " (clés ajoutées : 3, modifiées : 0)\n"
                                 "    + [Brennic] INI_TARVOX=" +
                                 config +
                                 "\n"
                                 "    + [Brennic] INI_TARVOX_UNC=" +
                                 config +
                                 "\n"
                                 "    + [Brennic] UNC_Actif=ON\n"));
  EXPECT_EQ(ReadFileBytes(WinIni()), before) << "a dry run writes nothing";
  Json report = Json::parse(ReadFileBytes(Report()), nullptr, false);
  ASSERT_TRUE(report.is_object());
  Json winIni = SettingsFile(report, 1, WinIni());
  ASSERT_TRUE(winIni.is_object()) << report["actions"][1].dump();
  EXPECT_EQ(winIni["written"], false);
  EXPECT_EQ(winIni["added"], 3);
  EXPECT_EQ(winIni["keys"][0], Json::parse(R"({"section":"Brennic","key":"INI_TARVOX",
                                               "before":null,"after":"C:\\Brennic\\Tarvox\\Config\\"})"));

  const ProgramRun real = RunSetup({"--batch", "--step", "1", "--step", "2", "--report", Report()});
  EXPECT_EQ(real.status, 0) << real.out << real.err;
  EXPECT_EQ(BrennicKey(L"INI_TARVOX"), config);
  EXPECT_EQ(BrennicKey(L"INI_TARVOX_UNC"), config);
  EXPECT_EQ(BrennicKey(L"UNC_Actif"), "ON");
  report = Json::parse(ReadFileBytes(Report()), nullptr, false);
  winIni = SettingsFile(report, 1, WinIni());
  ASSERT_TRUE(winIni.is_object()) << report.dump();
  EXPECT_EQ(winIni["written"], true);
  EXPECT_EQ(winIni["keys"].size(), 3u);
  EXPECT_EQ(report["exitStatus"], 0);

  // Up to date: nothing left to change, in Win.ini either.
  const ProgramRun again = RunSetup({"--batch", "--dry-run", "--step", "1", "--step", "2"});
  EXPECT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_EQ(again.out, "Rien à changer : le poste est à jour.\n");
}

// A Win.ini the program may not write (a standard user's C:\Windows): step 2 says so and ends 1.
TEST_F(WindowsVersionTest, OnWindowsXpAWinIniThatCannotBeWrittenEndsOne) {
  const WineVersionOfTheProgram version(L"winxp64");
  ASSERT_TRUE(version.set());
  const std::wstring path = platform::win32::Widen(WinIni());
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  // Denied to everyone, the repair of a read-only file included.
  const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const ProgramRun run = RunSetup({"--batch", "--step", "1", "--step", "2", "--report", Report()});
  ::CloseHandle(held);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("[warning]\nParamètres non écrits:\n\n" + WinIni() + " (3 clés)"));
  EXPECT_EQ(BrennicKey(L"INI_TARVOX"), "(none)");
  const Json report = Json::parse(ReadFileBytes(Report()), nullptr, false);
  EXPECT_EQ(report["exitStatus"], 1);
}

}  // namespace
}  // namespace tx3::e2e
