// Where a bare engine library name is looked for: the folders of PATH, then the system folder,
// never a folder that depends on the current one.
#include "platform/win32/library_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tx3::platform::win32 {
namespace {

TEST(LibrarySearch, FindsTheFirstFullFolderOfPathThenTheSystemFolder) {
  struct Case {
    const wchar_t* name;
    const wchar_t* path;
    std::set<std::wstring> files;
    const wchar_t* expected;  // nullptr: not found
  };
  const Case cases[] = {
      // PATH's order, before the system folder.
      {L"w64btrv.dll",
       L"C:\\A;C:\\B",
       {L"C:\\B\\w64btrv.dll", L"C:\\A\\w64btrv.dll", L"C:\\Sys\\w64btrv.dll"},
       L"C:\\A\\w64btrv.dll"},
      {L"w64btrv.dll", L"C:\\A;C:\\B", {L"C:\\Sys\\w64btrv.dll"}, L"C:\\Sys\\w64btrv.dll"},
      // Folders relative to the current folder or drive are never searched.
      {L"w64btrv.dll",
       L".;bin;C:lib;\\\\srv\\share\\bin",
       {L".\\w64btrv.dll", L"bin\\w64btrv.dll", L"C:lib\\w64btrv.dll"},
       nullptr},
      {L"w64btrv.dll",
       L".;\\\\srv\\share\\bin",
       {L".\\w64btrv.dll", L"\\\\srv\\share\\bin\\w64btrv.dll"},
       L"\\\\srv\\share\\bin\\w64btrv.dll"},
      // A quoted folder may hold ";"; empty entries and a closing separator change nothing.
      {L"WBTRV32.DLL",
       L";\"C:\\Prog;x\";;C:\\B\\",
       {L"C:\\Prog;x\\WBTRV32.DLL"},
       L"C:\\Prog;x\\WBTRV32.DLL"},
      {L"WBTRV32.DLL", L"C:/Tools/", {L"C:/Tools/WBTRV32.DLL"}, L"C:/Tools/WBTRV32.DLL"},
      // LoadLibraryW's default extension.
      {L"w64btrv", L"C:\\A", {L"C:\\A\\w64btrv.dll"}, L"C:\\A\\w64btrv.dll"},
      {L"w64btrv.dll", L"", {}, nullptr},
  };
  for (const Case& c : cases) {
    const auto found = FindLibrary(c.name, c.path, L"C:\\Sys", [&](const std::wstring& file) {
      return c.files.contains(file);
    });
    if (c.expected == nullptr) {
      EXPECT_FALSE(found.has_value()) << c.path;
    } else {
      EXPECT_EQ(found.value_or(L"<none>"), c.expected) << c.path;
    }
  }
}

TEST(LibrarySearch, OnlyANameWithoutFolderOrDriveIsSearched) {
  for (const wchar_t* bare : {L"w64btrv.dll", L"WBTRV32.DLL", L"w64btrv"}) {
    EXPECT_TRUE(IsBareName(bare));
  }
  for (const wchar_t* path :
       {L"", L".\\w64btrv.dll", L"lib/w64btrv.dll", L"C:w64btrv.dll", L"C:\\PVSW\\w64btrv.dll"}) {
    EXPECT_FALSE(IsBareName(path));
  }
}

}  // namespace
}  // namespace tx3::platform::win32
