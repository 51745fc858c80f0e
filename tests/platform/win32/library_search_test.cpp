// Where a bare engine library name is looked for: the system folder, then the folders of PATH,
// never a folder that depends on the current one, nor, run elevated, one that others may write.
#include "platform/win32/library_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace tx3::platform::win32 {
namespace {

TEST(LibrarySearch, FindsTheSystemFolderThenTheFirstSafeFullFolderOfPath) {
  struct Case {
    const char* name;
    const char* path;
    std::set<std::string> files;
    const char* expected;  // nullptr: not found
    std::set<std::string> unsafe{};
    std::vector<std::string> skipped{};
  };
  const Case cases[] = {
      // The system folder first, as Windows looks there first; then PATH's order.
      {"w64btrv.dll",
       "C:\\A;C:\\B",
       {"C:\\B\\w64btrv.dll", "C:\\A\\w64btrv.dll", "C:\\Sys\\w64btrv.dll"},
       "C:\\Sys\\w64btrv.dll"},
      {"w64btrv.dll",
       "C:\\A;C:\\B",
       {"C:\\B\\w64btrv.dll", "C:\\A\\w64btrv.dll"},
       "C:\\A\\w64btrv.dll"},
      {"w64btrv.dll", "C:\\A;C:\\B", {"C:\\Sys\\w64btrv.dll"}, "C:\\Sys\\w64btrv.dll"},
      // An unsafe folder holding the name is passed over and named; one without it is not named.
      {"w64btrv.dll",
       "C:\\Tools;C:\\Empty;C:\\B",
       {"C:\\Tools\\w64btrv.dll", "C:\\B\\w64btrv.dll"},
       "C:\\B\\w64btrv.dll",
       {"C:\\Tools", "C:\\Empty"},
       {"C:\\Tools"}},
      {"w64btrv.dll",
       "C:\\Tools;C:\\Users\\op\\bin",
       {"C:\\Tools\\w64btrv.dll", "C:\\Users\\op\\bin\\w64btrv.dll"},
       nullptr,
       {"C:\\Tools", "C:\\Users\\op\\bin"},
       {"C:\\Tools", "C:\\Users\\op\\bin"}},
      // The system folder is never weighed.
      {"w64btrv.dll",
       "C:\\Tools",
       {"C:\\Sys\\w64btrv.dll", "C:\\Tools\\w64btrv.dll"},
       "C:\\Sys\\w64btrv.dll",
       {"C:\\Sys", "C:\\Tools"}},
      // Folders relative to the current folder or drive are never searched.
      {"w64btrv.dll",
       ".;bin;C:lib;\\\\srv\\share\\bin",
       {".\\w64btrv.dll", "bin\\w64btrv.dll", "C:lib\\w64btrv.dll"},
       nullptr},
      {"w64btrv.dll",
       ".;\\\\srv\\share\\bin",
       {".\\w64btrv.dll", "\\\\srv\\share\\bin\\w64btrv.dll"},
       "\\\\srv\\share\\bin\\w64btrv.dll"},
      // A quoted folder may hold ";"; empty entries and a closing separator change nothing.
      {"WBTRV32.DLL",
       ";\"C:\\Prog;x\";;C:\\B\\",
       {"C:\\Prog;x\\WBTRV32.DLL"},
       "C:\\Prog;x\\WBTRV32.DLL"},
      {"WBTRV32.DLL", "C:/Tools/", {"C:/Tools/WBTRV32.DLL"}, "C:/Tools/WBTRV32.DLL"},
      // Paths in UTF-8.
      {"w64btrv.dll",
       "C:\\Donn\xC3\xA9"
       "es",
       {"C:\\Donn\xC3\xA9"
        "es\\w64btrv.dll"},
       "C:\\Donn\xC3\xA9"
       "es\\w64btrv.dll"},
      // LoadLibraryW's default extension.
      {"w64btrv", "C:\\A", {"C:\\A\\w64btrv.dll"}, "C:\\A\\w64btrv.dll"},
      {"w64btrv.dll", "", {}, nullptr},
  };
  for (const Case& c : cases) {
    const LibrarySearch search = FindLibrary(
        c.name, c.path, "C:\\Sys", [&](const std::string& file) { return c.files.contains(file); },
        [&](const std::string& folder) { return c.unsafe.contains(folder); });
    if (c.expected == nullptr) {
      EXPECT_FALSE(search.found.has_value()) << c.path;
    } else {
      EXPECT_EQ(search.found.value_or("<none>"), c.expected) << c.path;
    }
    EXPECT_EQ(search.skipped, c.skipped) << c.path;
  }
}

// The rule that decides whether a folder of PATH is unsafe for an elevated program.
TEST(LibrarySearch, AFolderIsWritableByNonAdminsWhenAnyoneButTheAdministratorsMayWriteIt) {
  const std::string admins = "S-1-5-32-544";
  const std::string system = "S-1-5-18";
  const std::string installer = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
  const std::string creatorOwner = "S-1-3-0";
  const std::string users = "S-1-5-32-545";
  const std::string authenticated = "S-1-5-11";
  const std::string everyone = "S-1-1-0";
  const std::string interactive = "S-1-5-4";
  const std::string account = "S-1-5-21-1-2-3-1001";
  constexpr uint32_t kFull = 0x1F01FF;     // FILE_ALL_ACCESS
  constexpr uint32_t kRead = 0x1200A9;     // read and execute
  constexpr uint32_t kModify = 0x1301BF;   // modify
  constexpr uint32_t kAddFile = 0x2;       // FILE_ADD_FILE
  constexpr uint32_t kAppend = 0x4;        // FILE_ADD_SUBDIRECTORY
  constexpr uint32_t kWriteDac = 0x40000;  // WRITE_DAC
  constexpr uint32_t kGenericWrite = 0x40000000;
  // The access list of C:\Windows\System32 and of C:\Program Files, more or less.
  const std::vector<AccessEntry> system32 = {{true, false, kFull, installer},
                                             {true, false, kModify, system},
                                             {true, false, kModify, admins},
                                             {true, false, kRead, users},
                                             {true, true, 0x10000000, creatorOwner}};
  struct Case {
    const char* what;
    FolderSecurity security;
    bool writable;
  };
  auto with = [&](std::vector<AccessEntry> extra, std::string owner = "S-1-5-32-544") {
    FolderSecurity security{true, true, std::move(owner), system32};
    security.entries.insert(security.entries.end(), extra.begin(), extra.end());
    return security;
  };
  const Case cases[] = {
      {"system folder", with({}), false},
      {"owned by TrustedInstaller", with({}, installer), false},
      {"owned by SYSTEM", with({}, system), false},
      {"Users may add a file", with({{true, false, kAddFile, users}}), true},
      {"Authenticated Users may modify", with({{true, false, kModify, authenticated}}), true},
      {"Everyone has full control", with({{true, false, kFull, everyone}}), true},
      {"INTERACTIVE may append", with({{true, false, kAppend, interactive}}), true},
      {"a user may change the access list", with({{true, false, kWriteDac, account}}), true},
      {"a user has generic write", with({{true, false, kGenericWrite, account}}), true},
      {"Users may only read", with({{true, false, kRead, everyone}}), false},
      {"inherit-only entry for Users", with({{true, true, kModify, users}}), false},
      {"denied entry for Users", with({{false, false, kFull, users}}), false},
      {"owned by a user", with({}, account), true},
      {"no access list", {true, false, admins, {}}, true},
      {"security unknown", {}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(WritableByNonAdmins(c.security), c.writable) << c.what;
}

TEST(LibrarySearch, TheLogNamesASkippedFolder) {
  EXPECT_EQ(SkippedFolderLogLine("C:\\Outils"),
            "Warning: Engine library: folder of PATH skipped (the program runs elevated and users "
            "who are not administrators may write it): C:\\Outils");
}

// What Wine can show of a real folder: its security is read, and a folder an account owns is one
// that account may write (Wine makes every file's owner the account, and keeps no access list).
TEST(LibrarySearch, ReadsAFolderSecurity) {
  wchar_t temp[MAX_PATH] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
  const FolderSecurity security = ReadFolderSecurity(temp);
  ASSERT_TRUE(security.known);
  EXPECT_TRUE(security.owner.starts_with("S-1-")) << security.owner;
  EXPECT_TRUE(security.hasDacl);
  EXPECT_FALSE(security.entries.empty());
  EXPECT_TRUE(WritableByNonAdmins(security)) << "the account's own temporary folder";
  EXPECT_FALSE(ReadFolderSecurity(L"C:\\no such folder\\tx3").known);
}

TEST(LibrarySearch, OnlyANameWithoutFolderOrDriveIsSearched) {
  for (const char* bare : {"w64btrv.dll", "WBTRV32.DLL", "w64btrv"}) {
    EXPECT_TRUE(IsBareName(bare));
  }
  for (const char* path :
       {"", ".\\w64btrv.dll", "lib/w64btrv.dll", "C:w64btrv.dll", "C:\\PVSW\\w64btrv.dll"}) {
    EXPECT_FALSE(IsBareName(path));
  }
}

}  // namespace
}  // namespace tx3::platform::win32
