// Photos: what NormalizePhoto keeps, converts and refuses, the clipboard's
// bitmaps and file lists, and the stored photo that is not trusted.
#include <gtest/gtest.h>

#include "db/byte_buffer.h"
#include "db/record_format.h"
#include "platform/bmp_codec.h"
#include "platform/desktop_clipboard.h"
#include "recipe/photo.h"
#include "support/collection.h"
#include "support/pictures.h"
#include "support/temp_folder.h"

namespace tovalia {
namespace {

using testing::BmpPicture;
using testing::JpegPicture;
using testing::PngPicture;

BmpHeaders Headers(const std::vector<uint8_t>& bytes) {
  BmpHeaders h;
  EXPECT_TRUE(ReadBmpHeaders(bytes.data(), bytes.size(), h));
  return h;
}

TEST(NormalizePhoto, KeepsASmallPalettedBmpByteForByte) {
  const std::vector<uint8_t> original = BmpPicture(320, 240, 8);
  std::vector<uint8_t> bytes = original;
  EXPECT_EQ(NormalizePhoto(bytes), PhotoOutcome::kPhoto);
  EXPECT_EQ(bytes, original);
  // From 640 wide on it is converted, even with 8 bits.
  bytes = BmpPicture(640, 100, 8);
  EXPECT_EQ(NormalizePhoto(bytes), PhotoOutcome::kPhoto);
  EXPECT_EQ(Headers(bytes).bitsPerPixel, 16);
  EXPECT_EQ(Headers(bytes).width, 480);
  EXPECT_EQ(Headers(bytes).height, 75);
}

TEST(NormalizePhoto, ConvertsOtherPicturesToSixteenBitsWithinTheLimits) {
  struct Case {
    std::vector<uint8_t> bytes;
    int width, height;
  };
  const Case cases[] = {
      {JpegPicture(1024, 768), 480, 360},
      {PngPicture(400, 1000), 144, 360},
      {BmpPicture(300, 200, 24), 300, 200},   // small, but 24 bits
      {PngPicture(120, 90), 120, 90},
      {testing::GifPicture(), 4, 4},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = c.bytes;
    ASSERT_EQ(NormalizePhoto(bytes), PhotoOutcome::kPhoto) << c.width << "x" << c.height;
    const BmpHeaders h = Headers(bytes);
    EXPECT_EQ(h.bitsPerPixel, 16);
    EXPECT_EQ(h.width, c.width);
    EXPECT_EQ(h.height, c.height);
    EXPECT_EQ(bytes.size(), 54u + static_cast<size_t>((c.width * 2 + 3) / 4 * 4) * c.height);  // no colour table
    Image image;
    EXPECT_TRUE(DecodeBmp(bytes.data(), bytes.size(), image));
  }
}

TEST(NormalizePhoto, RefusesWhatIsNoPicture) {
  std::vector<uint8_t> tiny(40, 'B');
  EXPECT_EQ(NormalizePhoto(tiny), PhotoOutcome::kNoPicture);
  EXPECT_TRUE(tiny.empty());
  std::vector<uint8_t> jpeg = JpegPicture(64, 48);
  std::vector<uint8_t> broken(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 3));
  EXPECT_EQ(NormalizePhoto(broken), PhotoOutcome::kUnsupported);
  EXPECT_TRUE(broken.empty());
  // A small 8-bit BMP whose pixel rows are cut short is not kept as it is:
  // the decoder makes what it can of it, at 16 bits.
  std::vector<uint8_t> damaged = BmpPicture(100, 100, 8);
  damaged.resize(damaged.size() - 500);
  std::vector<uint8_t> cut = damaged;
  if (NormalizePhoto(cut) == PhotoOutcome::kPhoto) {
    EXPECT_EQ(Headers(cut).bitsPerPixel, 16);
  }
  EXPECT_NE(cut, damaged);
  std::vector<uint8_t> text(200, 'x');
  EXPECT_EQ(NormalizePhoto(text), PhotoOutcome::kUnsupported);
}

TEST(NormalizePhoto, FittedSizesRoundBothSides) {
  int w = 0, h = 0;
  FittedPhotoSize(1024, 768, w, h);
  EXPECT_EQ(w, 480);
  EXPECT_EQ(h, 360);
  FittedPhotoSize(400, 1000, w, h);
  EXPECT_EQ(w, 144);
  EXPECT_EQ(h, 360);
  FittedPhotoSize(4000, 1, w, h);  // a sliver keeps a pixel
  EXPECT_EQ(w, 480);
  EXPECT_EQ(h, 1);
  FittedPhotoSize(480, 360, w, h);
  EXPECT_EQ(w, 480);
  EXPECT_EQ(h, 360);
}

TEST(SixteenBitBmp, ReadsBackTheColoursWithinAStep) {
  Image image;
  image.width = 3;
  image.height = 2;
  image.pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080};
  const std::vector<uint8_t> bytes = EncodeBmp16(image);
  Image back;
  ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), back));
  ASSERT_EQ(back.pixels.size(), image.pixels.size());
  for (size_t i = 0; i < image.pixels.size(); ++i)
    for (int shift : {0, 8, 16}) {
      const int a = static_cast<int>((image.pixels[i] >> shift) & 0xFF);
      const int b = static_cast<int>((back.pixels[i] >> shift) & 0xFF);
      EXPECT_LE(std::abs(a - b), 4) << i;
    }
}

TEST(PhotoFile, LoadingKeepsTheOldPhotoWhenTheNewFileFails) {
  testing::Collection collection;
  Database& db = collection.db();
  const std::string good = collection.folder().File("dish.jpg");
  const std::string bad = collection.folder().File("broken.jpg");
  testing::WriteBytes(good, JpegPicture(800, 600));
  testing::WriteBytes(bad, std::vector<uint8_t>(300, 0x42));
  ASSERT_EQ(LoadPhotoFile(db, good), PhotoOutcome::kPhoto);
  const std::vector<uint8_t> stored = SoundStoredPhoto(db);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(GetI32(db.recordHeaderBuffer, header::kPhotoLength), static_cast<int32_t>(stored.size()));
  EXPECT_EQ(LoadPhotoFile(db, bad), PhotoOutcome::kUnsupported);
  EXPECT_EQ(LoadPhotoFile(db, collection.folder().File("missing.jpg")), PhotoOutcome::kUnreadable);
  EXPECT_EQ(SoundStoredPhoto(db), stored);
}

TEST(PhotoFile, AStoredPhotoThatIsNoSoundBmpIsNotTrusted) {
  testing::Collection collection;
  Database& db = collection.db();
  std::vector<uint8_t> photo = BmpPicture(50, 40, 24);
  photo.resize(photo.size() - 10);  // rows cut short, as a damaged import might leave it
  SetStoredPhoto(db, photo);
  EXPECT_TRUE(SoundStoredPhoto(db).empty());
  SetStoredPhoto(db, JpegPicture(20, 20));  // raw bytes that never went through NormalizePhoto
  EXPECT_TRUE(SoundStoredPhoto(db).empty());
  SetStoredPhoto(db, {});
  EXPECT_EQ(GetI32(db.recordHeaderBuffer, header::kPhotoLength), 0);
}

TEST(PhotoClipboard, BitmapsWithoutFileHeaderGetOne) {
  for (int bits : {8, 24}) {
    const std::vector<uint8_t> file = BmpPicture(10, 6, bits);
    const std::vector<uint8_t> dib(file.begin() + 14, file.end());
    EXPECT_EQ(BmpFileFromDib(dib), file) << bits;  // same offset: 54 + the colour table
  }
  // Bit fields with a 40-byte header: three masks before the pixels.
  std::vector<uint8_t> dib(40 + 12 + 8, 0);
  dib[0] = 40;
  dib[4] = 2, dib[8] = 1, dib[12] = 1, dib[14] = 16, dib[16] = 3;
  const std::vector<uint8_t> file = BmpFileFromDib(dib);
  ASSERT_EQ(file.size(), dib.size() + 14);
  EXPECT_EQ(LoadI32(file.data() + 10), 14 + 40 + 12);
  EXPECT_TRUE(BmpFileFromDib(std::vector<uint8_t>(20, 1)).empty());
  EXPECT_EQ(FirstCopiedFile("copy\nfile:///home/me/Apple%20Pie.JPG\nfile:///other.png"), "/home/me/Apple Pie.JPG");
  EXPECT_EQ(FirstCopiedFile("# a comment\r\nfile://localhost/tmp/a.gif\r\n"), "/tmp/a.gif");
  EXPECT_EQ(FirstCopiedFile("https://example.org/a.jpg"), "");
  EXPECT_TRUE(IsPictureFileName("/tmp/DISH.jpeg"));
  EXPECT_FALSE(IsPictureFileName("/tmp/dish.txt"));
}

TEST(PhotoFile, SavedNamesEndInBmp) {
  EXPECT_EQ(PhotoFileName("dish"), "dish.bmp");
  EXPECT_EQ(PhotoFileName("dish.BMP"), "dish.BMP");
  EXPECT_EQ(PhotoFileName("dish.jpg"), "dish.jpg.bmp");
}

}  // namespace
}  // namespace tovalia
