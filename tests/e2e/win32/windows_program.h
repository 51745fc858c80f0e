// Runs the real tx3_setup.com for the Windows end-to-end tests: it stands beside the test
// program, is started with CreateProcessW and its output read through pipes.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tx3::e2e {

struct ProgramRun {
  int status = -1;  // exit status; -1 when it could not start
  std::string out;  // standard output, CR LF turned into LF
  std::string err;
};

// Runs tx3_setup.com with `args` (UTF-8). `environment` entries "NAME=value" are set for the run
// only ("NAME=" removes NAME).
ProgramRun RunSetup(const std::vector<std::string>& args,
                    const std::vector<std::string>& environment = {});

// The command line of tx3_setup.com with `args` (UTF-8), and the program's full path.
std::wstring SetupProgram();
std::wstring SetupCommandLine(const std::vector<std::string>& args);

// tx3_setup.exe started as an operator starts it, and its main window once it shows.
class WindowProgram {
 public:
  // Starts the program and waits up to 10 s for its window, titled as the Qt window is;
  // window() stays null when none shows.
  WindowProgram();
  // Closes the window if it is still open and waits for the program.
  ~WindowProgram();
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;

  HWND window() const { return window_; }
  DWORD threadId() const { return process_.dwThreadId; }
  // Closes the window and waits for the program: its exit status, or -1 when it did not start
  // or had not ended 10 s later.
  int Close();

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// A control's text, asked of the control itself (GetWindowTextW does not ask a control of another
// process: WM_GETTEXT does).
std::wstring TextOf(HWND control);
// The first child of `window` of class `className` whose text is `text`; null when none.
HWND FindChild(HWND window, const wchar_t* className, const std::wstring& text);

// Sets variables in this process (the programs it starts inherit them) and puts them back after.
// "NAME=value"; "NAME=" removes NAME.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(const std::vector<std::string>& entries);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  struct Saved {
    std::wstring name, value;
    bool existed;
  };
  std::vector<Saved> saved_;
};

// Every file and folder of an installation's default folders (C:\Brennic, C:\TX_Data...), by
// path: a file's bytes, a folder's "<folder>".
std::map<std::string, std::string> InstallationTree();
// What a killed writer may leave: a settings file's temporary.
bool IsTemporaryFile(const std::string& path);
// Removes the installation's default folders.
void RemoveInstallation();

// The folder of tx3_setup.exe, tx3_setup.com and the stand-in engine: the test kit's bin\ (or the
// build tree's bin/), found from the test program's own folder (support/test_files.h).
std::string ProgramFolder();

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Removes a folder and everything in it; no error when it does not exist.
void RemoveTree(const std::string& path);

}  // namespace tx3::e2e
