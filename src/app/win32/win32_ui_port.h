// The UI port of the Windows window: message boxes, the folder dialog, the message pump and the
// status text. The dialogs themselves are replaceable, so that tests never wait on a modal box.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/frm_main.h"
#include "app/view_binding.h"
#include "common/ui_port.h"

namespace tx3 {

struct Win32Dialogs {
  // A modal message box: owner, title, text, MB_ICON* flags.
  std::function<void(HWND, const std::wstring&, const std::wstring&, UINT)> showMessage;
  // The folder picker: owner, title, start folder (possibly empty). Nothing when cancelled.
  std::function<std::optional<std::wstring>(HWND, const std::wstring&, const std::wstring&)>
      chooseFolder;
};

// MessageBoxW and the system's folder picker (IFileOpenDialog).
Win32Dialogs StandardDialogs();

class Win32UiPort final : public WindowUiPort {
 public:
  Win32UiPort(FrmMain& model, HWND owner, Win32Dialogs dialogs = StandardDialogs());

  void DoEvents() override;

 private:
  void ShowBox(std::string_view title, std::string_view text, MsgIcon icon) override;
  std::optional<std::string> ChooseHostFolder(std::string_view start,
                                              std::string_view title) override;
  HWND Owner() const;

  HWND owner_;
  Win32Dialogs dialogs_;
};

}  // namespace tx3
