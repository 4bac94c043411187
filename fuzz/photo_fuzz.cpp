// The input is a picture from outside: a file given to "Load Photo", or
// clipboard data. Normalising it must not crash, and a photo it stores must
// be a sound BMP of the sizes a stored photo may have.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/bmp_codec.h"
#include "platform/desktop_clipboard.h"
#include "recipe/photo.h"

namespace {

void CheckNormalised(std::vector<uint8_t> bytes) {
  using namespace tovalia;
  const std::vector<uint8_t> original = bytes;
  const PhotoOutcome outcome = NormalizePhoto(bytes);
  if (outcome != PhotoOutcome::kPhoto) {
    FUZZ_CHECK(bytes.empty());
    return;
  }
  Image image;
  FUZZ_CHECK(DecodeBmp(bytes.data(), bytes.size(), image));
  BmpHeaders headers;
  FUZZ_CHECK(ReadBmpHeaders(bytes.data(), bytes.size(), headers));
  if (bytes == original) {
    // Kept as it was: a small BMP of fewer than 16 bits.
    FUZZ_CHECK(headers.width < kKeptBmpWidth && headers.height < kKeptBmpHeight && headers.bitsPerPixel < 16);
  } else {
    FUZZ_CHECK(headers.bitsPerPixel == 16);
    FUZZ_CHECK(image.width >= 1 && image.width <= kPhotoMostWidth);
    FUZZ_CHECK(image.height >= 1 && image.height <= kPhotoMostHeight);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  const std::vector<uint8_t> bytes(data, data + size);
  CheckNormalised(bytes);
  // The same bytes as a bitmap from the clipboard, without a file header.
  const std::vector<uint8_t> file = BmpFileFromDib(bytes);
  if (!file.empty()) {
    FUZZ_CHECK(file == bytes || file.size() == bytes.size() + 14);
    CheckNormalised(file);
  }
  const std::string path = FirstCopiedFile(std::string(bytes.begin(), bytes.end()));
  FUZZ_CHECK(path.empty() || path[0] == '/');
  return 0;
}
