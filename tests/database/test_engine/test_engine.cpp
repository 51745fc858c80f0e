#include "test_engine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// What the library exports: BTRCALL and the tests' own controls.
#if defined(_WIN32)
#define TX3_EXPORT __declspec(dllexport)
#else
#define TX3_EXPORT __attribute__((visibility("default")))
#endif

namespace {

std::vector<TestEngineCall>& Calls() {
  static std::vector<TestEngineCall> calls;
  return calls;
}
std::vector<int16_t>& Statuses() {
  static std::vector<int16_t> statuses;
  return statuses;
}
bool scribble = false;

int16_t DefaultStatus() {
  const char* text = std::getenv("TX3_TEST_ENGINE_STATUS");
  return text == nullptr ? 0 : static_cast<int16_t>(std::atoi(text));
}

void AppendToLog(const TestEngineCall& call) {
  const char* log = std::getenv("TX3_TEST_ENGINE_LOG");
  if (log == nullptr) return;
  if (FILE* file = std::fopen(log, "ab")) {
    std::fprintf(file, "%u|%d|%u|%s\n", call.operation, call.keyNumber, call.keyLength, call.key);
    std::fclose(file);
  }
}

}  // namespace

extern "C" {

TX3_EXPORT int16_t BTRCALL(uint16_t operation, void* positionBlock, void* dataBuffer,
                           uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                           int8_t keyNumber) {
  TestEngineCall call{};
  call.operation = operation;
  std::memcpy(call.positionBlock, positionBlock, sizeof call.positionBlock);
  std::memcpy(call.data, dataBuffer, sizeof call.data);
  call.dataLength = *dataLength;
  std::strncpy(call.key, static_cast<const char*>(keyBuffer), sizeof call.key - 1);
  call.keyLength = keyLength;
  call.keyNumber = keyNumber;
  const size_t index = Calls().size();
  Calls().push_back(call);
  AppendToLog(call);
  if (scribble) {
    static_cast<uint8_t*>(dataBuffer)[6] = 0x5A;
    static_cast<char*>(positionBlock)[0] = 'P';
    *dataLength = 150;
  }
  return index < Statuses().size() ? Statuses()[index] : DefaultStatus();
}

TX3_EXPORT int TestEngine_CallCount() {
  return static_cast<int>(Calls().size());
}

TX3_EXPORT const TestEngineCall* TestEngine_Call(int index) {
  return index >= 0 && index < TestEngine_CallCount() ? &Calls()[index] : nullptr;
}

TX3_EXPORT void TestEngine_Reset() {
  Calls().clear();
  Statuses().clear();
  scribble = false;
}

TX3_EXPORT void TestEngine_SetStatuses(const int16_t* statuses, int count) {
  Statuses().assign(statuses, statuses + count);
}

TX3_EXPORT void TestEngine_SetScribble(int on) {
  scribble = on != 0;
}
}
