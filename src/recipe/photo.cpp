#include "recipe/photo.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"
#include "platform/bmp_codec.h"
#include "platform/picture_decoder.h"

namespace tovalia {

namespace {

constexpr int32_t kNoPhotoLength = 40;  // this many bytes or fewer: no photo

bool KeptAsItIs(const std::vector<uint8_t>& bytes) {
  BmpHeaders headers;
  Image image;
  return ReadBmpHeaders(bytes.data(), bytes.size(), headers) && headers.width < kKeptBmpWidth &&
         headers.height < kKeptBmpHeight && headers.bitsPerPixel < 16 && DecodeBmp(bytes.data(), bytes.size(), image);
}

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

void FittedPhotoSize(int width, int height, int& fittedWidth, int& fittedHeight) {
  fittedWidth = width;
  fittedHeight = height;
  if (width <= kPhotoMostWidth && height <= kPhotoMostHeight) return;
  const double f = std::min(static_cast<double>(kPhotoMostWidth) / width, static_cast<double>(kPhotoMostHeight) / height);
  fittedWidth = std::clamp(static_cast<int>(std::lround(width * f)), 1, kPhotoMostWidth);
  fittedHeight = std::clamp(static_cast<int>(std::lround(height * f)), 1, kPhotoMostHeight);
}

PhotoOutcome NormalizePhoto(std::vector<uint8_t>& bytes) {
  if (bytes.size() <= static_cast<size_t>(kNoPhotoLength)) {
    bytes.clear();
    return PhotoOutcome::kNoPicture;
  }
  if (KeptAsItIs(bytes)) return PhotoOutcome::kPhoto;
  Image picture;
  // Our own reader first (it knows every uncompressed BMP), then the decoder.
  if (!DecodeBmp(bytes.data(), bytes.size(), picture) && !DecodePicture(bytes.data(), bytes.size(), picture)) {
    bytes.clear();
    return PhotoOutcome::kUnsupported;
  }
  int width = 0, height = 0;
  FittedPhotoSize(picture.width, picture.height, width, height);
  if (width != picture.width || height != picture.height) picture = ScaleImage(picture, width, height);
  bytes = EncodeBmp16(picture);
  return PhotoOutcome::kPhoto;
}

PhotoOutcome LoadPhotoFile(Database& db, const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return PhotoOutcome::kUnreadable;
  const std::streamoff size = in.tellg();
  if (size < 0 || size > kLargestPhotoFile) return PhotoOutcome::kUnreadable;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return PhotoOutcome::kUnreadable;
  const PhotoOutcome outcome = NormalizePhoto(bytes);
  if (outcome == PhotoOutcome::kPhoto) SetStoredPhoto(db, bytes);
  return outcome == PhotoOutcome::kNoPicture ? PhotoOutcome::kUnsupported : outcome;
}

std::vector<uint8_t> SoundStoredPhoto(const Database& db) {
  const int32_t length = GetI32(db.recordHeaderBuffer, header::kPhotoLength);
  if (length <= kNoPhotoLength || !db.photoBuffer.Holds(0, length)) return {};
  std::vector<uint8_t> bytes(db.photoBuffer.Data(), db.photoBuffer.Data() + length);
  Image image;
  if (!DecodeBmp(bytes.data(), bytes.size(), image)) return {};
  return bytes;
}

void SetStoredPhoto(Database& db, const std::vector<uint8_t>& bytes) {
  FreeBuffer(db.photoBuffer);
  const int32_t length = static_cast<int32_t>(bytes.size());
  SetI32(db.recordHeaderBuffer, header::kPhotoLength, length);
  if (length == 0) return;
  CreateBuffer(length, db.photoBuffer);
  std::copy(bytes.begin(), bytes.end(), db.photoBuffer.Data());
}

std::vector<uint8_t> BmpFileFromDib(const std::vector<uint8_t>& dib) {
  if (dib.size() >= 2 && dib[0] == 'B' && dib[1] == 'M') return dib;
  if (dib.size() < 40) return {};
  const int64_t infoSize = LoadI32(dib.data());
  const int bits = LoadU16(dib.data() + 14);
  const int64_t compression = LoadI32(dib.data() + 16);
  const int64_t used = LoadI32(dib.data() + 32);
  if (infoSize < 40 || infoSize > static_cast<int64_t>(dib.size())) return {};
  int64_t table = 0;
  if (bits < 16 && bits > 0) table = 4 * ((used > 0 && used < (int64_t{1} << bits)) ? used : (int64_t{1} << bits));
  if ((bits == 16 || bits == 32) && compression == 3 && infoSize == 40) table = 12;
  const int64_t offset = 14 + infoSize + table;
  const int64_t fileSize = 14 + static_cast<int64_t>(dib.size());
  if (offset > fileSize || fileSize > INT32_MAX) return {};
  std::vector<uint8_t> file(static_cast<size_t>(fileSize));
  file[0] = 'B';
  file[1] = 'M';
  StoreI32(file.data() + 2, static_cast<int32_t>(fileSize));
  StoreI32(file.data() + 10, static_cast<int32_t>(offset));
  std::copy(dib.begin(), dib.end(), file.begin() + 14);
  return file;
}

std::string PhotoFileName(const std::string& name) {
  return EndsWith(LowerCase(name), ".bmp") ? name : name + ".bmp";
}

bool IsPictureFileName(const std::string& name) {
  const std::string upper = UpperCase(name);
  for (const char* ending : {".JPG", ".JPEG", ".BMP", ".GIF", ".PNG"})
    if (EndsWith(upper, ending)) return true;
  return false;
}

}  // namespace tovalia
