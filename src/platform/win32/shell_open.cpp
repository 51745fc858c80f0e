#include "platform/win32/shell_open.h"

#include <windows.h>

// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {

intptr_t ShellOpen(std::string_view operation, std::string_view file,
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
