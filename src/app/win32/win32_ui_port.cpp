#include "app/win32/win32_ui_port.h"

#include <shobjidl.h>
#include <wrl/client.h>

#include <utility>

#include "platform/win32/wide_text.h"

namespace tx3 {

namespace {

using Microsoft::WRL::ComPtr;

void ShowMessageBox(HWND owner, const std::wstring& title, const std::wstring& text, UINT icon) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | icon);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title,
                                         const std::wstring& start) {
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog,
                              reinterpret_cast<void**>(dialog.GetAddressOf())))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  // Only folders that exist on the file system: a library or a device is no folder to create
  // files in.
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  if (!title.empty()) dialog->SetTitle(title.c_str());
  if (!start.empty() && IsFolder(start)) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(SHCreateItemFromParsingName(start.c_str(), nullptr, IID_IShellItem,
                                              reinterpret_cast<void**>(folder.GetAddressOf())))) {
      dialog->SetFolder(folder.Get());
    }
  }
  if (FAILED(dialog->Show(owner))) return std::nullopt;  // cancelled too
  ComPtr<IShellItem> chosen;
  if (FAILED(dialog->GetResult(chosen.GetAddressOf()))) return std::nullopt;
  PWSTR path = nullptr;
  if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) {
    return std::nullopt;
  }
  std::wstring result(path);
  CoTaskMemFree(path);
  return result;
}

// The MB_ICON* flag of `icon`.
UINT MessageBoxIcon(MsgIcon icon) {
  constexpr UINT kFlags[] = {MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR};  // by icon
  return kFlags[static_cast<size_t>(icon)];
}

}  // namespace

Win32Dialogs StandardDialogs() {
  return Win32Dialogs{ShowMessageBox, ChooseFolder};
}

Win32UiPort::Win32UiPort(FrmMain& model, HWND owner, Win32Dialogs dialogs)
    : WindowUiPort(model), owner_(owner), dialogs_(std::move(dialogs)) {}

HWND Win32UiPort::Owner() const {
  // Once the window is gone, a box still shows, owned by nothing.
  return owner_ != nullptr && IsWindow(owner_) ? owner_ : nullptr;
}

void Win32UiPort::ShowBox(std::string_view title, std::string_view text, MsgIcon icon) {
  dialogs_.showMessage(Owner(), platform::win32::Widen(title), platform::win32::Widen(text),
                       MessageBoxIcon(icon));
}

std::optional<std::string> Win32UiPort::ChooseHostFolder(std::string_view start,
                                                         std::string_view title) {
  const std::optional<std::wstring> chosen =
      dialogs_.chooseFolder(Owner(), platform::win32::Widen(title), platform::win32::Widen(start));
  if (!chosen) return std::nullopt;
  return platform::win32::Narrow(*chosen);
}

void Win32UiPort::DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Left for the message loop, which ends on it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    HWND owner = Owner();
    if (owner != nullptr && IsDialogMessageW(owner, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace tx3
