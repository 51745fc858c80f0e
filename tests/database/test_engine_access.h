// The tests' handle on the stand-in engine library: its BTRCALL and its record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/test_files.h"
#include "test_engine.h"

namespace tx3::testing {

class TestEngineAccess {
 public:
  // Loaded through the system's own platform, whatever platform the test installed.
  TestEngineAccess() {
    int32_t error = 0;
    library_ = platform::SystemPlatform().LoadEngineLibrary(TestEngineLibrary(), &error);
    EXPECT_NE(library_, nullptr) << TestEngineLibrary() << ": error " << error;
    btrcall = Get<void*>("BTRCALL");
    count_ = reinterpret_cast<int (*)()>(Get<void*>("TestEngine_CallCount"));
    call_ = reinterpret_cast<const TestEngineCall* (*)(int)>(Get<void*>("TestEngine_Call"));
    reset_ = reinterpret_cast<void (*)()>(Get<void*>("TestEngine_Reset"));
    statuses_ =
        reinterpret_cast<void (*)(const int16_t*, int)>(Get<void*>("TestEngine_SetStatuses"));
    scribble_ = reinterpret_cast<void (*)(int)>(Get<void*>("TestEngine_SetScribble"));
    if (reset_ != nullptr) reset_();
  }
  ~TestEngineAccess() {
    if (library_ != nullptr) reset_();
  }
  TestEngineAccess(const TestEngineAccess&) = delete;
  TestEngineAccess& operator=(const TestEngineAccess&) = delete;

  void* btrcall = nullptr;

  int CallCount() const { return count_(); }
  const TestEngineCall& Call(int index) const { return *call_(index); }
  std::string Key(int index) const { return Call(index).key; }
  void SetStatuses(const std::vector<int16_t>& statuses) {
    statuses_(statuses.data(), static_cast<int>(statuses.size()));
  }
  void SetScribble(bool on) { scribble_(on ? 1 : 0); }

 private:
  template <typename T>
  T Get(const char* name) {
    void* symbol = library_ == nullptr ? nullptr : library_->Symbol(name);
    EXPECT_NE(symbol, nullptr) << name;
    return static_cast<T>(symbol);
  }

  std::unique_ptr<platform::Library> library_;
  int (*count_)() = nullptr;
  const TestEngineCall* (*call_)(int) = nullptr;
  void (*reset_)() = nullptr;
  void (*statuses_)(const int16_t*, int) = nullptr;
  void (*scribble_)(int) = nullptr;
};

}  // namespace tx3::testing
