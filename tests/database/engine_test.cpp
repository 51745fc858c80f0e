#include "database/engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/error.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"
#include "test_engine_access.h"

namespace tx3 {
namespace {

using testing::FakePlatform;

// An engine that keeps what it was handed and leaves chosen bytes behind.
class RecordingEngine : public Engine {
 public:
  int16_t BtrCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                  void* keyBuffer, uint8_t keyLength, int8_t keyNumber) override {
    ++calls;
    this->operation = operation;
    block.assign(static_cast<char*>(positionBlock), 129);
    std::memcpy(data.data(), dataBuffer, data.size());
    length = *dataLength;
    key = static_cast<char*>(keyBuffer);
    this->keyLength = keyLength;
    this->keyNumber = keyNumber;
    static_cast<char*>(positionBlock)[0] = '\xE9';  // é in the ANSI code page
    static_cast<uint8_t*>(dataBuffer)[159] = 0x77;
    *dataLength = 42;
    return 7;
  }
  bool IsLibrary() const override { return true; }

  int calls = 0;
  uint16_t operation = 0;
  std::string block;
  CreateImage data{};
  uint32_t length = 0;
  std::string key;
  uint8_t keyLength = 0;
  int8_t keyNumber = 0;
};

class EngineTest : public ::testing::Test {
 protected:
  int16_t Call(std::string key, int16_t keyLength) {
    block_ = std::string(128, ' ');
    key_ = std::move(key);
    length_ = 160;
    return CallEngine(engine_, kBtrCreate, &block_, &buffer_, &length_, &key_, keyLength, 0);
  }

  FakePlatform os_;
  testing::UsePlatform guard_{os_};
  RecordingEngine engine_;
  BtrFileBuf buffer_;
  std::string block_;
  std::string key_;
  int32_t length_ = 0;
};

TEST_F(EngineTest, LibraryNameComesFromTheEnvironment) {
  EXPECT_EQ(EngineLibraryName(), std::nullopt);
  os_.environment["TX3_BTRIEVE_LIBRARY"] = "";
  EXPECT_EQ(EngineLibraryName(), std::nullopt);
  os_.environment["TX3_BTRIEVE_LIBRARY"] = "/opt/engine/libbtrv.so";
  EXPECT_EQ(EngineLibraryName(), "/opt/engine/libbtrv.so");
}

TEST_F(EngineTest, BuiltInEngineWithoutLibrary) {
  const EngineLoad load = LoadEngine();
  ASSERT_NE(load.engine, nullptr);
  EXPECT_FALSE(load.engine->IsLibrary());
  EXPECT_EQ(load.libraryName, "");
  EXPECT_EQ(os_.CallCount("LoadEngineLibrary"), 0);
}

TEST_F(EngineTest, LibraryThatCannotBeUsed) {
  os_.environment["TX3_BTRIEVE_LIBRARY"] = "/opt/missing.so";
  EngineLoad load = LoadEngine();
  EXPECT_EQ(load.engine, nullptr);
  EXPECT_EQ(load.libraryName, "/opt/missing.so");
  EXPECT_TRUE(os_.LogContains("/opt/missing.so"));

  os_.environment["TX3_BTRIEVE_LIBRARY"] = "/opt/notanengine.so";
  os_.libraries["/opt/notanengine.so"] = {{"something", nullptr}};
  load = LoadEngine();
  EXPECT_EQ(load.engine, nullptr);
  EXPECT_EQ(load.libraryName, "/opt/notanengine.so");
}

TEST_F(EngineTest, LibraryEngineCallsItsBtrcall) {
  testing::TestEngineAccess library;
  os_.environment["TX3_BTRIEVE_LIBRARY"] = "/opt/engine.so";
  os_.libraries["/opt/engine.so"] = {{"BTRCALL", library.btrcall}};
  EngineLoad load = LoadEngine();
  ASSERT_NE(load.engine, nullptr);
  EXPECT_TRUE(load.engine->IsLibrary());
  library.SetStatuses({31});
  char block[129] = {};
  CreateImage data{};
  uint32_t length = 160;
  char key[] = "/x";
  EXPECT_EQ(load.engine->BtrCall(14, block, data.data(), &length, key, 2, -1), 31);
  ASSERT_EQ(library.CallCount(), 1);
  EXPECT_EQ(library.Call(0).keyNumber, -1);
  EXPECT_EQ(library.Key(0), "/x");
}

TEST_F(EngineTest, EngineReceivesTheHostPathAndItsByteLength) {
  EXPECT_EQ(Call("C:\\Données\\FRAD000.bt6", 22), 7);
  EXPECT_EQ(engine_.operation, kBtrCreate);
  EXPECT_EQ(engine_.block, std::string(128, ' ') + '\0');
  EXPECT_EQ(engine_.key, "/engine/C:/Données/FRAD000.bt6");
  EXPECT_EQ(engine_.keyLength, std::string("/engine/C:/Données/FRAD000.bt6").size());
  EXPECT_EQ(engine_.length, 160u);
  EXPECT_EQ(engine_.keyNumber, 0);
  EXPECT_EQ(engine_.data, ToImage(BtrFileBuf{}));
}

TEST_F(EngineTest, TrailingBlankTravelsButNotInTheLength) {
  Call("C:\\D\\F.bt6 ", 10);
  EXPECT_EQ(engine_.key, "/engine/C:/D/F.bt6 ");
  EXPECT_EQ(engine_.keyLength, std::string("/engine/C:/D/F.bt6").size());
}

TEST_F(EngineTest, BuffersAreCopiedBack) {
  Call("C:\\D\\F.bt6", 10);
  EXPECT_EQ(block_, "é" + std::string(127, ' '));
  EXPECT_EQ(key_, "/engine/C:/D/F.bt6");
  EXPECT_EQ(length_, 42);
  EXPECT_EQ(ToImage(buffer_)[159], 0x77);
}

TEST_F(EngineTest, PathsTheEngineCannotTakeAreRefusedWithoutACall) {
  EXPECT_EQ(Call("", 0), btrstatus::kInvalidFileName);
  const std::string deep = "C:\\" + std::string(240, 'a') + "\\F.bt6";
  EXPECT_EQ(Call(deep, static_cast<int16_t>(deep.size())), btrstatus::kInvalidFileName);
  os_.enginePathOf = [](std::string_view) { return std::string(); };
  EXPECT_EQ(Call("C:\\D\\F.bt6", 10), btrstatus::kInvalidFileName);
  EXPECT_EQ(engine_.calls, 0);
  os_.enginePathOf = nullptr;
  const std::string fits = "C:\\" + std::string(255 - 11, 'a');  // "/engine/C:/" and 244 bytes
  EXPECT_EQ(Call(fits, static_cast<int16_t>(fits.size())), 7);
  EXPECT_EQ(engine_.keyLength, 255);
}

}  // namespace
}  // namespace tx3
