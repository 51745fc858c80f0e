// ShellExecuteW with the program's UTF-8 texts.
#include <windows.h>

// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace tx3::platform::win32 {

// The shell's own result (above 32 success); an empty operation is the default verb.
intptr_t Win32Platform::OpenInShell(std::string_view operation, std::string_view file,
                                    const std::optional<std::string>& parameters,
                                    const std::optional<std::string>& folder, int32_t showCommand) {
  const std::wstring wideOperation = Widen(operation);
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = parameters ? Widen(*parameters) : std::wstring();
  const std::wstring wideFolder = folder ? Widen(*folder) : std::wstring();
  const HINSTANCE result =
      ::ShellExecuteW(nullptr, operation.empty() ? nullptr : wideOperation.c_str(),
                      wideFile.c_str(), parameters ? wideParameters.c_str() : nullptr,
                      folder ? wideFolder.c_str() : nullptr, showCommand);
  return reinterpret_cast<intptr_t>(result);
}

}  // namespace tx3::platform::win32
