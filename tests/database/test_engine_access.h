// The tests' handle on the stand-in engine library: its BTRCALL and its record.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_engine.h"

namespace tx3::testing {

class TestEngineAccess {
 public:
  TestEngineAccess() : handle_(dlopen(TX3_TEST_ENGINE, RTLD_NOW)) {
    EXPECT_NE(handle_, nullptr) << dlerror();
    btrcall = Get<void*>("BTRCALL");
    count_ = reinterpret_cast<int (*)()>(Get<void*>("TestEngine_CallCount"));
    call_ = reinterpret_cast<const TestEngineCall* (*)(int)>(Get<void*>("TestEngine_Call"));
    reset_ = reinterpret_cast<void (*)()>(Get<void*>("TestEngine_Reset"));
    statuses_ =
        reinterpret_cast<void (*)(const int16_t*, int)>(Get<void*>("TestEngine_SetStatuses"));
    scribble_ = reinterpret_cast<void (*)(int)>(Get<void*>("TestEngine_SetScribble"));
    reset_();
  }
  ~TestEngineAccess() {
    if (handle_ != nullptr) {
      reset_();
      dlclose(handle_);
    }
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
    void* symbol = handle_ == nullptr ? nullptr : dlsym(handle_, name);
    EXPECT_NE(symbol, nullptr) << name;
    return static_cast<T>(symbol);
  }

  void* handle_;
  int (*count_)() = nullptr;
  const TestEngineCall* (*call_)(int) = nullptr;
  void (*reset_)() = nullptr;
  void (*statuses_)(const int16_t*, int) = nullptr;
  void (*scribble_)(int) = nullptr;
};

}  // namespace tx3::testing
