#include "platform/win32/win_ini.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace tx3::platform::win32 {

std::string ReadWinIni(std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  const std::wstring wideSection = Widen(section);
  const std::wstring wideKey = Widen(key);
  const std::wstring wideDefault = Widen(defaultValue);
  std::vector<wchar_t> buffer(1024);
  while (true) {
    const DWORD length =
        ::GetProfileStringW(wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(),
                            buffer.data(), static_cast<DWORD>(buffer.size()));
    // A value that filled the buffer may have been cut: asked again with more room.
    if (length + 1 < buffer.size() || buffer.size() >= (1U << 24)) {
      return Narrow(std::wstring_view(buffer.data(), length));
    }
    buffer.resize(buffer.size() * 4);
  }
}

bool WriteWinIni(std::string_view section, std::string_view key, std::string_view value) {
  return ::WriteProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str()) !=
         FALSE;
}

}  // namespace tx3::platform::win32
