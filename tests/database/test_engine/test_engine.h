// A stand-in engine library for the tests: exports BTRCALL, records every call and answers
// scripted statuses. The tests reach its record through the extra exported functions.
//
// Environment (for runs through the real program): TX3_TEST_ENGINE_LOG names a file to which
// every call appends one line "operation|keyNumber|keyLength|key"; TX3_TEST_ENGINE_STATUS is the
// status answered when no status was scripted (default 0).
#pragma once

#include <cstdint>

extern "C" {

struct TestEngineCall {
  uint16_t operation;
  char positionBlock[129];  // the block as received (128 bytes and its terminator)
  uint8_t data[160];
  uint32_t dataLength;
  char key[256];  // the key buffer up to its NUL
  uint8_t keyLength;
  int8_t keyNumber;
};

int TestEngine_CallCount();
const TestEngineCall* TestEngine_Call(int index);
// Forgets the calls, the scripted statuses and the scribble.
void TestEngine_Reset();
// Status of call n (0-based), for the next `count` calls; calls past them answer the default.
void TestEngine_SetStatuses(const int16_t* statuses, int count);
// When on, every call writes 0x5A at offset 6 of the data buffer (a reserved byte), "P" at the
// start of the position block and sets the data length to 150, as an engine may leave them.
void TestEngine_SetScribble(int on);
}
