#include "database/builtin_engine.h"

#include <array>
#include <cstring>

#include "common/text.h"
#include "database/catalogue.h"
#include "platform/platform.h"

namespace tx3 {

namespace {

constexpr int kPageUnit = 512;
constexpr int kLargestPage = 4096;
constexpr int kPageHeader = 6;  // what a data page keeps for itself
constexpr int kSmallestRecord = 4;
constexpr int kLargestKey = 255;
constexpr size_t kSignatureSize = 8;
static_assert(kBuiltinSignature.size() == kSignatureSize);

constexpr uint32_t kCrcPolynomial = 0xEDB88320u;  // reflected 0x04C11DB7

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1u) != 0 ? kCrcPolynomial ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

// One key's segments, from key specification `*next` on; the status of the first bad one, 0 when
// all fit.
int16_t CheckKey(const BtrFileBuf& request, size_t* next) {
  int total = 0;
  for (;;) {
    if (*next >= request.KeySpec.size()) return btrstatus::kDataBufferLength;
    const KeySpecRec& spec = request.KeySpec[(*next)++];
    if (spec.KeyLen < 1 || spec.KeyLen > kLargestKey) return btrstatus::kKeyLength;
    if (spec.KeyPos < 1 || spec.KeyPos + spec.KeyLen - 1 > request.RecLen) {
      return btrstatus::kKeyPosition;
    }
    total += spec.KeyLen;
    if (total > kLargestKey) return btrstatus::kKeyLength;
    if ((spec.KeyFlags & keyflag::kSegmented) == 0) return 0;
  }
}

void PutLe32(std::string* bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The data file for a valid request: one page of `pageSize` bytes.
std::string BuiltinFileImage(const CreateImage& request, int pageSize) {
  std::string page(static_cast<size_t>(pageSize), '\0');
  std::memcpy(page.data(), kBuiltinSignature.data(), kSignatureSize);
  std::memcpy(page.data() + kSignatureSize, request.data(), request.size());
  const size_t checked = kSignatureSize + request.size();
  PutLe32(&page, checked, Crc32(std::string_view(page.data(), checked)));
  return page;
}

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc = kCrcTable[(crc ^ static_cast<uint8_t>(byte)) & 0xFFu] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

int16_t CheckCreateRequest(const BtrFileBuf& request) {
  const int page = request.PageSize;
  if (page < kPageUnit || page > kLargestPage || page % kPageUnit != 0) return btrstatus::kPageSize;
  if (request.RecLen < kSmallestRecord || request.RecLen > request.PageSize - kPageHeader) {
    return btrstatus::kRecordLength;
  }
  if (request.IndxCnt < 1) return btrstatus::kNumberOfKeys;
  size_t next = 0;
  for (int key = 0; key < request.IndxCnt; ++key) {
    if (const int16_t status = CheckKey(request, &next)) return status;
  }
  return 0;
}

bool IsBuiltinEngineFile(std::string_view enginePath) {
  std::string head;
  return platform::Os().ReadEngineFile(enginePath, kSignatureSize, &head) &&
         head == kBuiltinSignature;
}

int16_t BuiltinEngine::BtrCall(uint16_t operation, void* /*positionBlock*/, void* dataBuffer,
                               uint32_t* dataLength, void* keyBuffer, uint8_t /*keyLength*/,
                               int8_t /*keyNumber*/) {
  if (operation != kBtrCreate) return btrstatus::kInvalidOperation;
  if (dataBuffer == nullptr || dataLength == nullptr || *dataLength < kCreateBufferSize) {
    return btrstatus::kDataBufferLength;
  }
  CreateImage image{};
  std::memcpy(image.data(), dataBuffer, image.size());
  BtrFileBuf request;
  FromImage(image, &request);
  if (const int16_t status = CheckCreateRequest(request)) return status;

  // The path in the key buffer: up to its NUL, trailing blanks dropped (the engine's naming rule).
  const std::string path = keyBuffer == nullptr ? "" : TrimRight(static_cast<char*>(keyBuffer));
  if (path.empty()) return btrstatus::kInvalidFileName;
  const platform::ReplaceOutcome outcome =
      platform::Os().ReplaceEngineFile(path, BuiltinFileImage(image, request.PageSize));
  return outcome == platform::ReplaceOutcome::kDone ? 0 : btrstatus::kCreateIo;
}

}  // namespace tx3
