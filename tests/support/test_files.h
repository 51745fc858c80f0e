// Where the tests find what they do not hold themselves: the programs under test, the stand-in
// engine, the reference data.
//
// On Windows the tests travel: built into build/windows-x64/ or unzipped from the test kit
// anywhere, they find everything relative to their own folder (bin\), or under the folder named by
// TX3_TEST_KIT when it is set, never through a path of the build machine:
//   <kit>\bin\             the test programs, tx3_setup.exe, tx3_setup.com, tx3_test_engine.dll
//   <kit>\planted_engine\  the planted engine library
//   <kit>\data\            the reference data, as under tests/ of the source tree
// Elsewhere the data is read from the source tree.
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tx3::testing {

#ifdef _WIN32

inline std::string NarrowPath(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), size,
                        nullptr, nullptr);
  return narrow;
}

// The folder of the running test program, without a trailing backslash.
inline std::string TestProgramFolder() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return NarrowPath(path.substr(0, path.find_last_of(L"\\/")));
}

// The kit's folder: TX3_TEST_KIT when set, else the folder above the test program's.
inline std::string TestKitFolder() {
  wchar_t named[32768] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"TX3_TEST_KIT", named, 32768);
  std::wstring kit(named, length < 32768 ? length : 0);
  while (kit.size() > 3 && (kit.back() == L'\\' || kit.back() == L'/')) kit.pop_back();
  if (!kit.empty()) return NarrowPath(kit);
  const std::string program = TestProgramFolder();
  return program.substr(0, program.find_last_of('\\'));
}

// The folder of tx3_setup.exe, tx3_setup.com and the stand-in engine.
inline std::string KitProgramFolder() {
  return TestKitFolder() + "\\bin";
}

// A file of the reference data, named as under tests/ ("settings/data/BR_Mus.ini").
inline std::string TestDataFile(std::string_view relative) {
  std::string path = TestKitFolder() + "\\data\\" + std::string(relative);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// The stand-in engine library (tests/database/test_engine).
inline std::string TestEngineLibrary() {
  return KitProgramFolder() + "\\tx3_test_engine.dll";
}

// Wine's version when the tests run under Wine (its ntdll exports wine_get_version), else empty.
inline std::string WineVersion() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  const auto version = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(
      ntdll == nullptr ? nullptr : ::GetProcAddress(ntdll, "wine_get_version")));
  return version == nullptr ? std::string() : std::string(version());
}

inline bool RunsOnWine() {
  return !WineVersion().empty();
}

#else

// Where this build put things (support/build_paths.cpp).
std::string SourceFolder();          // the source tree
std::string TestBinaryFolder();      // the build's tests/ folder
std::string SetupProgram();          // tx3_setup
std::string TestEngineLibrary();     // the stand-in engine library (tests/database/test_engine)
std::string ProfileWriterProgram();  // the profile engine's helper process

// A file of the reference data, named as under tests/ ("settings/data/BR_Mus.ini").
inline std::string TestDataFile(std::string_view relative) {
  return SourceFolder() + "/tests/" + std::string(relative);
}

#endif

}  // namespace tx3::testing
