#include "database/create_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/run_context.h"
#include "database/catalogue.h"
#include "database/database_state.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

struct Seg {
  int pos, len, flags;
};

void Put16(CreateImage& image, size_t at, int value) {
  image[at] = static_cast<uint8_t>(value & 0xFF);
  image[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// The image the engine must receive, written from the file's layout.
CreateImage Expected(int rec, int page, int keys, const std::vector<Seg>& segs) {
  CreateImage image{};
  Put16(image, 0, rec);
  Put16(image, 2, page);
  Put16(image, 4, keys);
  for (size_t s = 0; s < segs.size(); ++s) {
    Put16(image, 16 + 16 * s, segs[s].pos);
    Put16(image, 18 + 16 * s, segs[s].len);
    Put16(image, 20 + 16 * s, segs[s].flags);
  }
  return image;
}

class CreateBufferTest : public ::testing::Test {
 protected:
  CreateImage ImageOf(int index) {
    InitStructureFichierBTR(run, db, static_cast<int16_t>(index));
    return ToImage(db.PbTBtrFileBuf);
  }

  testing::FakePlatform os_;
  testing::UsePlatform guard_{os_};  // failures reach the log
  RunContext run;
  DatabaseState db;
};

TEST_F(CreateBufferTest, Frad000ByteForByte) {
  CreateImage expected{};
  const uint8_t head[] = {0xE8, 0x03, 0x00, 0x04, 0x01, 0x00, 0,    0,    0,    0,    0,
                          0,    0,    0,    0,    0,    0x01, 0x00, 0x0A, 0x00, 0x02, 0x00};
  std::copy(std::begin(head), std::end(head), expected.begin());
  EXPECT_EQ(ImageOf(0), expected);
}

TEST_F(CreateBufferTest, ImagesOfSelectedFiles) {
  struct Case {
    int index;
    CreateImage image;
  };
  const Case cases[] = {
      {7, Expected(100, 512, 4, {{1, 21, 2}, {9, 13, 3}, {26, 10, 19}, {9, 13, 3}, {36, 21, 3}})},
      {12, Expected(300, 1536, 7,
                    {{1, 18, 2},
                     {19, 50, 3},
                     {69, 8, 3},
                     {77, 8, 3},
                     {135, 1, 3},
                     {136, 7, 3},
                     {137, 6, 3}})},
      {21, Expected(980, 1024, 2, {{1, 10, 2}, {1, 5, 1043}, {11, 10, 1027}})},
      {34,
       Expected(200, 1024, 6,
                {{9, 14, 3}, {1, 22, 3}, {23, 54, 1027}, {77, 19, 3}, {96, 19, 3}, {115, 14, 3}})},
      {47, Expected(4082, 4096, 1, {{1, 11, 2}})},
  };
  for (const Case& c : cases) EXPECT_EQ(ImageOf(c.index), c.image) << "file " << c.index;
  EXPECT_EQ(run.PbTErreur.Numero, 0);
}

TEST_F(CreateBufferTest, LittleEndianOfLargeValues) {
  const CreateImage image = ImageOf(21);
  EXPECT_EQ(image[16 + 16 + 4], 0x13);  // 1043 = 0x0413
  EXPECT_EQ(image[16 + 16 + 5], 0x04);
  const CreateImage page = ImageOf(12);
  EXPECT_EQ(page[2], 0x00);  // 1536 = 0x0600
  EXPECT_EQ(page[3], 0x06);
}

TEST_F(CreateBufferTest, FilesAreCreatedUncompressed) {
  db.PbTBtrFileBuf.FileFlags = 8;  // as an engine may leave it
  const CreateImage image = ImageOf(0);
  EXPECT_EQ(image[10], 0);
  EXPECT_EQ(image[11], 0);
}

TEST_F(CreateBufferTest, FewerSegmentsDoNotInheritThePreviousFile) {
  ImageOf(12);
  EXPECT_EQ(ImageOf(0), Expected(1000, 1024, 1, {{1, 10, 2}}));
}

TEST_F(CreateBufferTest, ReservedBytesAndLastSpecKeepWhatTheEngineLeft) {
  CreateImage left{};
  for (size_t i = 0; i < left.size(); ++i) left[i] = static_cast<uint8_t>(i + 1);
  FromImage(left, &db.PbTBtrFileBuf);
  CreateImage expected = Expected(1000, 1024, 1, {{1, 10, 2}});
  for (size_t at : {6, 7, 8, 9, 12, 13, 14, 15}) expected[at] = left[at];
  for (size_t k = 0; k < 8; ++k) {
    const size_t spec = 16 + 16 * k;
    for (size_t at = spec + 6; at < spec + 16; ++at) {
      if (at != spec + 10) expected[at] = left[at];  // ExtType is written 0
    }
  }
  for (size_t at = 144; at < 160; ++at) expected[at] = left[at];
  EXPECT_EQ(ImageOf(0), expected);
}

TEST_F(CreateBufferTest, ImageRoundTripsThroughTheRecord) {
  CreateImage image{};
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(255 - i);
  BtrFileBuf record;
  FromImage(image, &record);
  EXPECT_EQ(ToImage(record), image);
  EXPECT_EQ(record.RecLen, static_cast<int16_t>(0xFEFF));
}

TEST_F(CreateBufferTest, IndexOutsideTheCatalogueLeavesTheBufferAndReportsBounds) {
  ImageOf(7);
  const CreateImage before = ToImage(db.PbTBtrFileBuf);
  for (int16_t index : {int16_t{kNombreDeFichiers}, int16_t{-1}}) {
    InitStructureFichierBTR(run, db, index);
    EXPECT_EQ(ToImage(db.PbTBtrFileBuf), before) << index;
    EXPECT_EQ(run.PbTErreur.Numero, err::kSubscript);
    EXPECT_EQ(run.ErrorManager.lastProcedure, "Lib_Setup:InitStructureFichierBTR");
  }
}

}  // namespace
}  // namespace tx3
