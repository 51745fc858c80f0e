#include "database/builtin_engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "common/error.h"
#include "common/run_context.h"
#include "database/catalogue.h"
#include "database/database_state.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

using testing::FakePlatform;

// A valid request: record 100 in a 512-byte page, key 0 = 1, 10 unique.
BtrFileBuf ValidRequest() {
  BtrFileBuf request;
  request.RecLen = 100;
  request.PageSize = 512;
  request.IndxCnt = 1;
  request.KeySpec[0].KeyPos = 1;
  request.KeySpec[0].KeyLen = 10;
  request.KeySpec[0].KeyFlags = 2;
  return request;
}

TEST(CheckCreateRequestTest, EveryCatalogueFileIsAccepted) {
  RunContext run;
  DatabaseState db;
  for (int i = 0; i < kNombreDeFichiers; ++i) {
    InitStructureFichierBTR(run, db, static_cast<int16_t>(i));
    EXPECT_EQ(CheckCreateRequest(db.PbTBtrFileBuf), 0) << "file " << i;
  }
}

TEST(CheckCreateRequestTest, BadRequestsGetTheEngineStatus) {
  struct Case {
    const char* what;
    std::function<void(BtrFileBuf&)> change;
    int16_t status;
  };
  const Case cases[] = {
      {"valid", [](BtrFileBuf&) {}, 0},
      {"page 0", [](BtrFileBuf& r) { r.PageSize = 0; }, 24},
      {"page 1000", [](BtrFileBuf& r) { r.PageSize = 1000; }, 24},
      {"page 4608", [](BtrFileBuf& r) { r.PageSize = 4608; }, 24},
      {"page 4096", [](BtrFileBuf& r) { r.PageSize = 4096; }, 0},
      {"page 1536", [](BtrFileBuf& r) { r.PageSize = 1536; }, 0},
      {"record 0", [](BtrFileBuf& r) { r.RecLen = 0; }, 28},
      {"record 3", [](BtrFileBuf& r) { r.RecLen = 3; }, 28},
      {"record fills the page", [](BtrFileBuf& r) { r.RecLen = 506; }, 0},
      {"record past the page", [](BtrFileBuf& r) { r.RecLen = 507; }, 28},
      {"no key", [](BtrFileBuf& r) { r.IndxCnt = 0; }, 26},
      {"key length 0", [](BtrFileBuf& r) { r.KeySpec[0].KeyLen = 0; }, 29},
      {"key length 256",
       [](BtrFileBuf& r) {
         r.RecLen = 400;
         r.KeySpec[0].KeyLen = 256;
       },
       29},
      {"key position 0", [](BtrFileBuf& r) { r.KeySpec[0].KeyPos = 0; }, 27},
      {"key ends at the record's end", [](BtrFileBuf& r) { r.KeySpec[0].KeyPos = 91; }, 0},
      {"key past the record", [](BtrFileBuf& r) { r.KeySpec[0].KeyPos = 92; }, 27},
      {"second key missing", [](BtrFileBuf& r) { r.IndxCnt = 2; }, 29},
      {"segmented key longer than 255",
       [](BtrFileBuf& r) {
         r.RecLen = 400;
         r.KeySpec[0] = {1, 200, 19};
         r.KeySpec[1] = {201, 56, 3};
       },
       29},
      {"key runs past the last specification",
       [](BtrFileBuf& r) {
         for (auto& spec : r.KeySpec) spec = {1, 1, 19};
       },
       22},
  };
  for (const Case& c : cases) {
    BtrFileBuf request = ValidRequest();
    c.change(request);
    EXPECT_EQ(CheckCreateRequest(request), c.status) << c.what;
  }
}

class BuiltinEngineTest : public ::testing::Test {
 protected:
  int16_t Create(const char* key, uint32_t length = 160, uint16_t operation = kBtrCreate) {
    image_ = ToImage(request_);
    char block[129] = {};
    std::string keyBuffer(key);
    return engine_.BtrCall(operation, block, image_.data(), &length, keyBuffer.data(),
                           static_cast<uint8_t>(std::strlen(key)), 0);
  }

  FakePlatform os_;
  testing::UsePlatform guard_{os_};
  BuiltinEngine engine_;
  BtrFileBuf request_ = ValidRequest();
  CreateImage image_{};
};

TEST(Crc32Test, StandardCheckValues) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32(std::string_view("\0", 1)), 0xD202EF8Du);
}

TEST_F(BuiltinEngineTest, WritesOnePageWithSignatureRequestAndCrc) {
  ASSERT_EQ(Create("/data/FRAD000.bt6"), 0);
  const std::string& file = os_.engineFiles.at("/data/FRAD000.bt6");
  ASSERT_EQ(file.size(), 512u);
  EXPECT_EQ(file.substr(0, 8), "TX3BTRV1");
  EXPECT_EQ(file.substr(8, 160), std::string(image_.begin(), image_.end()));
  const uint32_t crc = Crc32(file.substr(0, 168));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(static_cast<uint8_t>(file[168 + i]), (crc >> (8 * i)) & 0xFF);
  }
  EXPECT_EQ(file.substr(172), std::string(512 - 172, '\0'));
  EXPECT_TRUE(IsBuiltinEngineFile("/data/FRAD000.bt6"));
}

TEST_F(BuiltinEngineTest, TrailingBlankOfTheKeyIsNotPartOfTheName) {
  ASSERT_EQ(Create("/data/FRAD001.bt6 "), 0);
  EXPECT_EQ(os_.engineFiles.count("/data/FRAD001.bt6"), 1u);
  EXPECT_EQ(os_.engineFiles.size(), 1u);
}

TEST_F(BuiltinEngineTest, LockedOrUnwritableFileAnswers25) {
  os_.lockedEngineFiles.insert("/data/FRAD002.bt6");
  EXPECT_EQ(Create("/data/FRAD002.bt6"), 25);
  os_.FailCall("ReplaceEngineFile", 75);
  EXPECT_EQ(Create("/data/FRAD003.bt6"), 25);
  EXPECT_TRUE(os_.engineFiles.empty());
}

TEST_F(BuiltinEngineTest, BadCallsWriteNothing) {
  EXPECT_EQ(Create("/data/x.bt6", 159), 22);
  EXPECT_EQ(Create("/data/x.bt6", 160, 0), 1);
  EXPECT_EQ(Create(""), 11);
  EXPECT_EQ(Create("   "), 11);
  request_.PageSize = 100;
  EXPECT_EQ(Create("/data/x.bt6"), 24);
  EXPECT_TRUE(os_.engineFiles.empty());
  EXPECT_EQ(os_.CallCount("ReplaceEngineFile"), 0);
}

TEST_F(BuiltinEngineTest, SignatureCheck) {
  os_.engineFiles["/a"] = "TX3BTRV1 and more";
  os_.engineFiles["/b"] = "FOREIGN DATA";
  os_.engineFiles["/c"] = "TX3";
  EXPECT_TRUE(IsBuiltinEngineFile("/a"));
  EXPECT_FALSE(IsBuiltinEngineFile("/b"));
  EXPECT_FALSE(IsBuiltinEngineFile("/c"));
  EXPECT_FALSE(IsBuiltinEngineFile("/missing"));
}

}  // namespace
}  // namespace tx3
