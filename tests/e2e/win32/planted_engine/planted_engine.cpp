// A library named as the database engine's, as someone could leave one in a folder an operator
// starts the program from. Loading it is enough to run its code: it appends a line to the file
// TX3_PLANTED_ENGINE_MARKER names as soon as it is loaded, whether BTRCALL is ever called or not:
// "loaded <its own full path in UTF-8>" CR LF, so that a test knows which copy was loaded.
#include <windows.h>

#include <cstdint>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t marker[MAX_PATH] = {};
  if (::GetEnvironmentVariableW(L"TX3_PLANTED_ENGINE_MARKER", marker, MAX_PATH) == 0) return TRUE;
  const HANDLE file = ::CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, self, MAX_PATH);
    char line[4 * MAX_PATH + 16] = "loaded ";
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, self, static_cast<int>(length), line + 7,
                                            4 * MAX_PATH, nullptr, nullptr);
    line[7 + bytes] = '\r';
    line[8 + bytes] = '\n';
    DWORD written = 0;
    ::WriteFile(file, line, static_cast<DWORD>(9 + bytes), &written, nullptr);
    ::CloseHandle(file);
  }
  return TRUE;
}

// Every call succeeds, so that a run that loads it goes on as with a real engine.
__declspec(dllexport) int16_t BTRCALL(uint16_t, void*, void*, uint32_t*, void*, uint8_t, int8_t) {
  return 0;
}
}
