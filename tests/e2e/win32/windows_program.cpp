#include "windows_program.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/frm_main.h"
#include "common/run_context.h"
#include "platform/win32/wide_text.h"
#include "support/test_files.h"

namespace tx3::e2e {
namespace {

// One argument of a command line as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

std::string Drain(HANDLE pipe) {
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  return bytes;
}

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

// The folders an installation with the window's defaults creates.
constexpr const char* kInstallationRoots[] = {"C:\\Brennic", "C:\\Kalvet", "C:\\TX_Sons",
                                              "C:\\TX_Data", "C:\\TX_Redist"};

}  // namespace

ScopedEnvironment::ScopedEnvironment(const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    const size_t eq = entry.find('=');
    const std::wstring name = platform::win32::Widen(entry.substr(0, eq));
    const std::wstring value = platform::win32::Widen(entry.substr(eq + 1));
    wchar_t old[32768];
    const DWORD length = ::GetEnvironmentVariableW(name.c_str(), old, 32768);
    saved_.push_back({name, std::wstring(old, length), length > 0});
    ::SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
  }
}

ScopedEnvironment::~ScopedEnvironment() {
  for (const Saved& s : saved_) {
    ::SetEnvironmentVariableW(s.name.c_str(), s.existed ? s.value.c_str() : nullptr);
  }
}

std::wstring SetupProgram() {
  return platform::win32::Widen(ProgramFolder() + "\\tx3_setup.com");
}

std::wstring SetupCommandLine(const std::vector<std::string>& args) {
  std::wstring commandLine = Quoted(SetupProgram());
  for (const std::string& arg : args) commandLine += L" " + Quoted(platform::win32::Widen(arg));
  return commandLine;
}

std::map<std::string, std::string> InstallationTree() {
  std::map<std::string, std::string> tree;
  for (const char* root : kInstallationRoots) {
    const std::filesystem::path folder(root);
    if (!std::filesystem::exists(folder)) continue;
    tree[root] = "<folder>";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      const std::string path = platform::win32::Narrow(entry.path().wstring());
      tree[path] = entry.is_directory() ? "<folder>" : ReadFileBytes(path);
    }
  }
  return tree;
}

bool IsTemporaryFile(const std::string& path) {
  return std::filesystem::path(platform::win32::Widen(path))
      .filename()
      .wstring()
      .starts_with(L".~tx3");
}

void RemoveInstallation() {
  for (const char* root : kInstallationRoots) RemoveTree(root);
}

std::string ProgramFolder() {
  return testing::KitProgramFolder();
}

ProgramRun RunSetup(const std::vector<std::string>& args,
                    const std::vector<std::string>& environment) {
  ScopedEnvironment scoped(environment);
  const std::wstring program = SetupProgram();
  std::wstring commandLine = SetupCommandLine(args);

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  ::CreatePipe(&outRead, &outWrite, &inherit, 0);
  ::CreatePipe(&errRead, &errWrite, &inherit, 0);
  ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION process{};
  ProgramRun run;
  const BOOL started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        0, nullptr, nullptr, &startup, &process);
  ::CloseHandle(outWrite);
  ::CloseHandle(errWrite);
  if (started) {
    std::string err;
    std::thread errors([&] { err = Drain(errRead); });
    run.out = WithoutCarriageReturns(Drain(outRead));
    errors.join();
    run.err = WithoutCarriageReturns(err);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    run.status = static_cast<int>(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(outRead);
  ::CloseHandle(errRead);
  return run;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(std::filesystem::path(platform::win32::Widen(path)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(platform::win32::Widen(path)), std::ios::binary) << bytes;
}

bool FileExists(const std::string& path) {
  return std::filesystem::exists(std::filesystem::path(platform::win32::Widen(path)));
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(platform::win32::Widen(path)), ignored);
}

WindowProgram::WindowProgram() {
  RunContext run;
  const std::wstring title =
      platform::win32::Widen("Installation d'Tarvox - Version: " + ProgramVersionText(run));
  const std::wstring program = platform::win32::Widen(ProgramFolder() + "\\tx3_setup.exe");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
    return;
  }
  for (int i = 0; i < 200; ++i) {
    HWND window = ::FindWindowW(nullptr, title.c_str());
    if (window != nullptr && ::IsWindowVisible(window)) {
      window_ = window;
      return;
    }
    ::Sleep(50);
  }
}

WindowProgram::~WindowProgram() {
  Close();
}

int WindowProgram::Close() {
  if (process_.hProcess == nullptr) return -1;
  if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  window_ = nullptr;
  DWORD status = 0;
  const bool ended = ::WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0 &&
                     ::GetExitCodeProcess(process_.hProcess, &status);
  if (!ended) ::TerminateProcess(process_.hProcess, 1);
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
  process_ = {};
  return ended ? static_cast<int>(status) : -1;
}

std::wstring TextOf(HWND control) {
  wchar_t text[512] = {};
  ::SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

HWND FindChild(HWND window, const wchar_t* className, const std::wstring& text) {
  struct Search {
    std::wstring className, text;
    HWND found = nullptr;
  } search{className, text};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[32] = {};
        ::GetClassNameW(child, name, 32);
        if (::lstrcmpiW(name, s->className.c_str()) != 0 || TextOf(child) != s->text) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tx3::e2e
