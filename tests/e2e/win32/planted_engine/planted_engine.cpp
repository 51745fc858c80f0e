// A library named as the database engine's, as someone could leave one in a folder an operator
// starts the program from. Loading it is enough to run its code: it appends a line to the file
// TX3_PLANTED_ENGINE_MARKER names as soon as it is loaded, whether BTRCALL is ever called or not.
#include <windows.h>

#include <cstdint>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE /*module*/, DWORD reason, LPVOID /*reserved*/) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t marker[MAX_PATH] = {};
  if (::GetEnvironmentVariableW(L"TX3_PLANTED_ENGINE_MARKER", marker, MAX_PATH) == 0) return TRUE;
  const HANDLE file = ::CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ::WriteFile(file, "loaded\r\n", 8, &written, nullptr);
    ::CloseHandle(file);
  }
  return TRUE;
}

// Every call succeeds, so that a run that loads it goes on as with a real engine.
__declspec(dllexport) int16_t BTRCALL(uint16_t, void*, void*, uint32_t*, void*, uint8_t, int8_t) {
  return 0;
}
}
