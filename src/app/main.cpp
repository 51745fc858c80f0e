// tx3_setup: the window (alone, or with only --log FILE and --engine-library FILE), or the batch
// front end.
//
// On Windows the same code makes two programs: tx3_setup.exe (no console: a double-click opens
// the window) and tx3_setup.com (a console program, which cmd.exe and PowerShell find first, so
// that "tx3_setup --batch ..." prints to the console and sets the exit status).
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch/batch_front_end.h"
#include "app/batch/batch_options.h"
#include "app/run_files.h"

#if defined(_WIN32)
#include <objbase.h>
#include <windows.h>

#include <cstdio>

#include "app/win32/run_win32_window.h"
#include "platform/win32/library_search.h"
#include "platform/win32/wide_text.h"
#elif defined(TX3_WINDOW_MODULE)
#include "platform/platform.h"
#endif

namespace {

int OpenWindow([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#if defined(_WIN32)
  return tx3::RunWin32Window();
#elif defined(TX3_WINDOW_MODULE)
  // The Qt window is a module of its own: a batch run never loads the toolkit's libraries.
  using Entry = int (*)(int, char**);
  const std::unique_ptr<tx3::platform::Library> module =
      tx3::platform::Os().LoadProgramModule(TX3_WINDOW_MODULE);
  const auto entry =
      module ? reinterpret_cast<Entry>(module->Symbol("tx3_run_qt_window")) : nullptr;
  if (entry == nullptr) {
    std::cerr << "tx3_setup: the window cannot be opened (" TX3_WINDOW_MODULE
                 " is missing or does not load); use tx3_setup --batch (see --help)\n";
    return 1;
  }
  return entry(argc, argv);
#else
  // Exit status 1: the program could not do its work; 2 stays for a malformed command line.
  std::cerr << "tx3_setup: the window is not available in this build; use tx3_setup --batch "
               "(see --help)\n";
  return 1;
#endif
}

}  // namespace

#if defined(_WIN32)

namespace {

// The window program has no console of its own: started with arguments from a console, it
// writes to that console when it can.
void UseParentConsoleIfNone() {
  if (::GetStdHandle(STD_OUTPUT_HANDLE) != nullptr) return;
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::FILE* ignored = nullptr;
  (void)::freopen_s(&ignored, "CONOUT$", "w", stdout);
  (void)::freopen_s(&ignored, "CONOUT$", "w", stderr);
}

// The window program has no console: the line that says the log cannot be opened goes to the
// standard error it was given (a console, a redirection), and nowhere when it has none; a message
// box would hold an unattended start.
void ToStandardErrorIfAny(std::string_view line) {
  const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
  if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (::GetConsoleMode(err, &mode)) {
    const std::wstring text = tx3::platform::win32::Widen(std::string(line) + "\r\n");
    ::WriteConsoleW(err, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } else {
    const std::string text = std::string(line) + "\r\n";
    ::WriteFile(err, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

}  // namespace

// The arguments arrive as UTF-16 and become the UTF-8 the program works in; its messages go out
// as UTF-8 (the console is switched to it for the run, then given back its own code page; a
// redirected output receives the same bytes).
int wmain(int argc, wchar_t** argv) {
  // Before anything loads a library: none is ever taken from the current folder or from beside
  // the program, where anyone may have left a file of the same name.
  tx3::platform::win32::RestrictLibrarySearch();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tx3::platform::win32::Narrow(argv[i]));
  if (const std::optional<tx3::BatchOptions> window = tx3::ParseWindowOptions(args)) {
    const tx3::RunFilesScope files(*window, ToStandardErrorIfAny);
    return OpenWindow(0, nullptr);
  }
  UseParentConsoleIfNone();
  const UINT consoleCodePage = ::GetConsoleOutputCP();
  ::SetConsoleOutputCP(CP_UTF8);
  // The shell's open call (the download steps) may need COM, as in the window.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const int status = tx3::RunBatch(args, std::cout, std::cerr);
  std::cout.flush();
  if (SUCCEEDED(com)) ::CoUninitialize();
  if (consoleCodePage != 0) ::SetConsoleOutputCP(consoleCodePage);
  return status;
}

#else

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const std::optional<tx3::BatchOptions> window = tx3::ParseWindowOptions(args)) {
    // The window's own options are not the toolkit's: it is given the program's name alone.
    const tx3::RunFilesScope files(*window, [](std::string_view line) {
      std::cerr << line << '\n' << std::flush;
    });
    char* programOnly[] = {argv[0], nullptr};
    return OpenWindow(1, programOnly);
  }
  return tx3::RunBatch(args, std::cout, std::cerr);
}

#endif
