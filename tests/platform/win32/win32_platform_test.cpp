// What the contract suite does not reach on Windows: the error table, refused names, long paths,
// files held open by another program, Win.ini, the log file.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/error_numbers.h"
#include "platform/temporary_name.h"
#include "platform/win32/name_rules.h"
#include "platform/win32/profile_io.h"
#include "platform/win32/temp_folder.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_platform.h"

namespace tx3::platform::win32 {
namespace {

TEST(Win32Errors, MapToTheClassicNumbers) {
  struct Case {
    uint32_t win32;
    int32_t classic;
  };
  for (const Case& c : {Case{0, 0}, Case{2, err::kFileNotFound}, Case{3, err::kPathNotFound},
                        Case{5, err::kPathFileAccess}, Case{123, err::kBadFileName},
                        Case{183, err::kPathFileAccess}, Case{32, err::kPathFileAccess},
                        Case{206, err::kBadFileName}, Case{87, err::kPathFileAccess},
                        Case{15, err::kPathNotFound}, Case{53, err::kPathNotFound},
                        Case{67, err::kPathNotFound}, Case{161, err::kPathNotFound}}) {
    EXPECT_EQ(ClassicError(c.win32), c.classic) << c.win32;
  }
}

TEST(Win32NameRules, RefuseNamesWindowsWouldChange) {
  for (const char* path : {"C:\\x\\CON", "C:\\x\\nul.txt", "C:\\com1\\x", "C:\\x\\dot.",
                           "C:\\x\\blank ", "\\\\SRV\\Share\\LPT9"}) {
    EXPECT_TRUE(HasRefusedComponent(path)) << path;
  }
  for (const char* path : {"C:\\x\\CONSOLE", "C:\\x\\..\\y", "C:\\.\\a.b", "\\\\SRV\\NUL\\x",
                           "\\\\?\\C:\\x\\dot.", "COM10"}) {
    EXPECT_FALSE(HasRefusedComponent(path)) << path;
  }
}

TEST(Win32Platform, LongPaths) {
  const TempFolder folder;
  Win32Platform os;
  std::string path = folder.path();
  std::string shortEnough;  // a folder that can be the current one
  while (path.size() < 300) {
    if (path.size() < 200) shortEnough = path;
    path += "\\" + std::string(40, 'd');
    ASSERT_EQ(os.MakeDirectory(path), 0) << path.size();
  }
  const std::string ini = path + "\\long.ini";
  ASSERT_TRUE(os.WriteProfileEntry("S", "k", "v", ini));
  std::string value;
  os.ReadProfileString("S", "k", "", &value, ini);
  EXPECT_EQ(value, "v");
  int64_t size = 0;
  EXPECT_EQ(os.FileSize(ini, &size), 0);
  EXPECT_EQ(size, int64_t{10});
  std::string first;
  EXPECT_EQ(os.FindFirst(path + "\\*.ini", false, &first), 0);
  EXPECT_EQ(first, "long.ini");
  EXPECT_EQ(os.FindFirst(path + "\\", true, &first), 0);
  EXPECT_EQ(first, ".");
  uint32_t attributes = 0;
  EXPECT_EQ(os.GetAttributes(path, &attributes), 0);
  EXPECT_EQ(attributes & kAttrDirectory, kAttrDirectory);

  // A short relative name whose absolute form is long.
  wchar_t previous[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryW(MAX_PATH + 1, previous);
  ASSERT_TRUE(::SetCurrentDirectoryW(Widen(shortEnough).c_str()));
  const std::string relative = path.substr(shortEnough.size() + 1) + "\\relative.ini";
  EXPECT_TRUE(os.WriteProfileEntry("S", "k", "r", relative));
  ::SetCurrentDirectoryW(previous);
  EXPECT_EQ(FileBytes(path + "\\relative.ini"), "[S]\r\nk=r\r\n");
}

// Holds a file open the way an editor or a virus scanner does (no FILE_SHARE_DELETE), so that it
// cannot be replaced, for `milliseconds`.
class HeldFile {
 public:
  HeldFile(const std::string& path, int milliseconds) {
    file_ = ::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file_, INVALID_HANDLE_VALUE);
    releaser_ = std::thread([this, milliseconds] {
      std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
      ::CloseHandle(file_);
    });
  }
  ~HeldFile() { releaser_.join(); }

 private:
  HANDLE file_;
  std::thread releaser_;
};

TEST(Win32ProfileIo, FileBrieflyHeldOpenIsWaitedFor) {
  const TempFolder folder;
  const std::string ini = folder.path() + "\\held.ini";
  Win32Platform os;
  ASSERT_TRUE(os.WriteProfileEntry("S", "k", "1", ini));
  const HeldFile held(ini, 300);
  EXPECT_TRUE(os.WriteProfileEntry("S", "k", "2", ini));
  EXPECT_EQ(FileBytes(ini), "[S]\r\nk=2\r\n");
}

TEST(Win32ProfileIo, FileHeldLongerThanTheDelayIsNotWritten) {
  const TempFolder folder;
  const std::string ini = folder.path() + "\\held.ini";
  // The same wait as the platform's, shortened so that the test stays quick.
  Win32ProfileIo io(/*busyMilliseconds=*/200);
  SystemAnsiCodec codec;
  ProfileEngine engine(io, codec);
  ASSERT_TRUE(engine.Write(ini, "S", "k", "1"));
  const HeldFile held(ini, 800);
  EXPECT_FALSE(engine.Write(ini, "S", "k", "2"));
  EXPECT_EQ(FileBytes(ini), "[S]\r\nk=1\r\n");
}

TEST(Win32ProfileIo, AFolderNamedAsTheFileIsNotWaitedFor) {
  const TempFolder folder;
  Win32Platform os;
  const auto start = std::chrono::steady_clock::now();
  std::string value;
  os.ReadProfileString("S", "k", "d", &value, folder.path());
  EXPECT_EQ(value, "d");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

// A temporary of a.ini this process could have left in `folder`.
std::string OwnTemporary(const TempFolder& folder, unsigned number) {
  wchar_t machine[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  EXPECT_TRUE(::GetComputerNameW(machine, &size));
  return folder.path() + "\\" +
         TemporaryName("a.ini", Narrow(std::wstring(machine, size)), ::GetCurrentProcessId(),
                       number);
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(Win32ProfileIo, OnlyOrphansOfDeadWritersAreRemoved) {
  const TempFolder folder;
  const std::string ini = folder.path() + "\\a.ini";
  ASSERT_TRUE(MakeFile(ini, 0, ""));
  // This process holds the folder's lock while it cleans: its own temporaries are orphans.
  const std::string mine = OwnTemporary(folder, 1000);
  // Another workstation's writer may be between its temporary and its swap...
  const std::string live =
      folder.path() + "\\" + std::string(kTemporaryPrefix) + ".a.ini.OTHERPC.1234.0.tmp";
  // ...unless it has been there for hours.
  const std::string old =
      folder.path() + "\\" + std::string(kTemporaryPrefix) + ".a.ini.OTHERPC.1234.1.tmp";
  for (const std::string* path : {&mine, &live, &old}) ASSERT_TRUE(MakeFile(*path, 3));
  {
    const HANDLE file = ::CreateFileW(Widen(old).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    ticks.QuadPart -= 2ULL * 3600 * 10'000'000;
    const FILETIME past{ticks.LowPart, ticks.HighPart};
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &past));
    ::CloseHandle(file);
  }
  Win32ProfileIo io;
  SystemAnsiCodec codec;
  ProfileEngine engine(io, codec);
  ASSERT_TRUE(engine.Write(ini, "S", "k", "v"));
  EXPECT_EQ(FileBytes(ini), "[S]\r\nk=v\r\n");
  EXPECT_FALSE(Exists(mine));
  EXPECT_TRUE(Exists(live));
  EXPECT_FALSE(Exists(old));
}

TEST(Win32ProfileIo, AFileWhoseSwapDidNotFinishIsPutBackInPlace) {
  const TempFolder folder;
  const std::string ini = folder.path() + "\\a.ini";
  const std::string stranded = OwnTemporary(folder, 1001);
  const std::string content = "[S]\r\nold=1\r\n";
  ASSERT_TRUE(MakeFile(stranded, static_cast<int64_t>(content.size()), content));
  Win32ProfileIo io;
  SystemAnsiCodec codec;
  ProfileEngine engine(io, codec);
  ASSERT_TRUE(engine.Write(ini, "S", "k", "v"));
  EXPECT_EQ(FileBytes(ini), "[S]\r\nold=1\r\nk=v\r\n");
  std::string first;
  Win32Platform os;
  EXPECT_EQ(os.FindFirst(folder.path() + "\\*.tmp", false, &first), 0);
  EXPECT_EQ(first, "");
}

TEST(Win32Platform, WinIniGoesThroughTheSystem) {
  Win32Platform os;
  ASSERT_TRUE(os.WriteProfileEntry("tx3_test", "Cl\xC3\xA9", "valeur \xC3\xA9", "WIN.INI"));
  wchar_t buffer[64] = {};
  ::GetProfileStringW(L"tx3_test", L"Cl\u00E9", L"", buffer, 64);
  EXPECT_EQ(Narrow(buffer), "valeur \xC3\xA9");
  std::string value;
  os.ReadProfileString("TX3_TEST", "cl\xC3\xA9", "", &value, os.WindowsDirectory() + "\\win.ini");
  EXPECT_EQ(value, "valeur \xC3\xA9");
  ::WriteProfileStringW(L"tx3_test", nullptr, nullptr);
}

// Win.ini's section of these tests, removed when a test ends.
class WinIniSection {
 public:
  WinIniSection() = default;
  ~WinIniSection() {
    Release();
    ::WriteProfileStringW(L"tx3_test", nullptr, nullptr);
  }
  WinIniSection(const WinIniSection&) = delete;
  WinIniSection& operator=(const WinIniSection&) = delete;
  static std::wstring Path() {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\win.ini";
  }
  // Another program holds Win.ini open and lets nobody write it (read-only would not stop an
  // administrator, nor root under Wine).
  void Hold() {
    held_ = ::CreateFileW(Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held_, INVALID_HANDLE_VALUE);
  }
  void Release() {
    if (held_ != INVALID_HANDLE_VALUE) ::CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

std::string SystemWinIni(const wchar_t* key) {
  wchar_t buffer[64] = {};
  ::GetProfileStringW(L"tx3_test", key, L"(none)", buffer, 64);
  return Narrow(buffer);
}

// In a transaction Win.ini's keys are staged and written at the commit, as the other settings
// files' are, with the same change record; a dry run answers the record and writes nothing.
TEST(Win32Platform, WinIniWritesInATransactionAreAnsweredAndWrittenAtTheCommit) {
  WinIniSection section;
  ASSERT_TRUE(::WriteProfileStringW(L"tx3_test", L"Old", L"avant"));
  Win32Platform os;
  const std::string winIni = os.WindowsDirectory() + "\\Win.ini";
  for (const bool dryRun : {true, false}) {
    SCOPED_TRACE(dryRun ? "dry run" : "real run");
    os.SetProfileDryRun(dryRun);
    os.BeginProfileTransaction();
    ASSERT_TRUE(os.WriteProfileEntry("tx3_test", "Old", "apr\xC3\xA8s", winIni));
    ASSERT_TRUE(os.WriteProfileEntry("tx3_test", "New", "1", winIni));
    ASSERT_TRUE(os.WriteProfileEntry("TX3_TEST", "new", "1", winIni)) << "already staged";
    std::string value;
    os.ReadProfileString("tx3_test", "OLD", "", &value, "win.ini");
    EXPECT_EQ(value, "apr\xC3\xA8s") << "the transaction's own write";
    EXPECT_EQ(SystemWinIni(L"Old"), "avant") << "nothing written before the commit";
    const std::vector<ProfileFileChange> changes = os.CommitProfileWrites();
    os.EndProfileTransaction();
    os.SetProfileDryRun(false);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].file, winIni);
    EXPECT_EQ(changes[0].added, 1);
    EXPECT_EQ(changes[0].changed, 1);
    EXPECT_EQ(changes[0].written, !dryRun);
    ASSERT_EQ(changes[0].keys.size(), 2u);
    EXPECT_EQ(changes[0].keys[0].key, "Old");
    EXPECT_EQ(changes[0].keys[0].before, "avant");
    EXPECT_EQ(changes[0].keys[0].after, "apr\xC3\xA8s");
    EXPECT_EQ(changes[0].keys[1].key, "New");
    EXPECT_EQ(changes[0].keys[1].before, std::nullopt);
    EXPECT_EQ(SystemWinIni(L"Old"), dryRun ? "avant" : "apr\xC3\xA8s");
    EXPECT_EQ(SystemWinIni(L"New"), dryRun ? "(none)" : "1");
  }
  // Nothing left to change: no record.
  os.BeginProfileTransaction();
  ASSERT_TRUE(os.WriteProfileEntry("tx3_test", "New", "1", winIni));
  EXPECT_TRUE(os.CommitProfileWrites().empty());
  os.EndProfileTransaction();
}

// A Win.ini the system cannot write: refused at the first write of a transaction (the caller may
// then repair it), or answered unwritten when it could no longer be written at the commit.
TEST(Win32Platform, WinIniThatCannotBeWrittenIsToldSo) {
  WinIniSection section;
  Win32Platform os;
  const std::string winIni = os.WindowsDirectory() + "\\Win.ini";
  section.Hold();
  os.BeginProfileTransaction();
  EXPECT_FALSE(os.WriteProfileEntry("tx3_test", "Key", "v", winIni));
  section.Release();
  EXPECT_TRUE(os.WriteProfileEntry("tx3_test", "Key", "v", winIni)) << "once released";
  section.Hold();
  const std::vector<ProfileFileChange> changes = os.CommitProfileWrites();
  os.EndProfileTransaction();
  section.Release();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_FALSE(changes[0].written);
  EXPECT_EQ(changes[0].added, 1);
  EXPECT_EQ(FileBytes(Narrow(WinIniSection::Path())).find("[tx3_test]"), std::string::npos);
}

TEST(Win32Platform, EngineFacts) {
  Win32Platform os;
  EXPECT_EQ(os.DefaultEngineLibraryName(), sizeof(void*) == 8 ? "w64btrv.dll" : "WBTRV32.DLL");
  EXPECT_EQ(os.EnginePath("C:\\Donn\xC3\xA9"
                          "es"),
            "C:\\Donn\xE9"
            "es");
  EXPECT_EQ(os.TextFromEngine("C:\\Donn\xE9"
                              "es"),
            "C:\\Donn\xC3\xA9"
            "es");
  int32_t error = 0;
  EXPECT_NE(os.LoadEngineLibrary("kernel32.dll", &error), nullptr);
  EXPECT_EQ(error, 0);
  VersionRecord version;
  ASSERT_TRUE(os.ReadVersion(&version));
  EXPECT_EQ(version.platformId, 2u);
  EXPECT_GE(version.majorVersion, 6u);
  EXPECT_FALSE(os.WindowsDirectory().ends_with("\\"));
  EXPECT_TRUE(os.ExecutablePath().ends_with(".exe"));
}

}  // namespace
}  // namespace tx3::platform::win32
