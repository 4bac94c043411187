#include "state/settings.h"

#include <vector>

#include "db/data_file.h"

namespace tovalia {

namespace {

// Walks the records of a settings file image and calls visit(offset, size,
// number) for each. A record whose size is below the header or runs past
// the end ends the walk, as if the file ended there.
template <typename Visit>
void WalkSettings(const ByteBuffer& file, Visit visit) {
  int64_t p = 0;
  while (p + kSettingHeaderSize <= file.Size()) {
    int32_t size = GetI32(file, static_cast<int32_t>(p));
    int32_t number = GetI32(file, static_cast<int32_t>(p) + 4);
    if (size < kSettingHeaderSize || p + size > file.Size()) return;
    if (!visit(static_cast<int32_t>(p), size, number)) return;
    p += size;
  }
}

}  // namespace

Settings::Settings(std::string setupFilePath) : path(std::move(setupFilePath)) {
  CreateBuffer(kSettingsBufferSize, settingsBuffer);
}

void LoadSetting(Settings& settings, int32_t number) {
  FillBytes(settings.settingsBuffer, 0, settings.settingsBuffer.Size(), 0);
  if (number <= 0 || !FileExists(settings.path)) return;
  ByteBuffer file;
  if (!ReadWholeFile(settings.path, file)) return;
  WalkSettings(file, [&](int32_t offset, int32_t size, int32_t n) {
    if (n != number) return true;
    // A record too large for the work buffer cannot be one this program wrote.
    if (size <= settings.settingsBuffer.Size()) MoveBytes(file, offset, settings.settingsBuffer, 0, size);
    return false;
  });
}

bool StoreSetting(Settings& settings, int32_t number) {
  const ByteBuffer& record = settings.settingsBuffer;
  int32_t recordSize = GetI32(record, 0);
  if (number < 1 || GetI32(record, 4) != number) return false;
  if (recordSize < kSettingHeaderSize || recordSize > record.Size()) return false;

  std::vector<uint8_t> image;
  ByteBuffer old;
  if (FileExists(settings.path) && ReadWholeFile(settings.path, old) && old.Size() > 8) {
    WalkSettings(old, [&](int32_t offset, int32_t size, int32_t n) {
      if (n != number) image.insert(image.end(), old.Data() + offset, old.Data() + offset + size);
      return true;
    });
  }
  image.insert(image.end(), record.Data(), record.Data() + recordSize);
  return ReplaceFileContents(settings.path, image.data(), image.size());
}

std::string GetTextSetting(Settings& settings, int32_t number) {
  LoadSetting(settings, number);
  return GetShortText(settings.settingsBuffer, kSettingHeaderSize);
}

int32_t GetNumberSetting(Settings& settings, int32_t number) {
  LoadSetting(settings, number);
  return GetI32(settings.settingsBuffer, kSettingHeaderSize);
}

bool PutTextSetting(Settings& settings, int32_t number, const std::string& text) {
  std::string stored = text.substr(0, 255);
  SetI32(settings.settingsBuffer, 0, kSettingHeaderSize + 1 + static_cast<int32_t>(stored.size()));
  SetI32(settings.settingsBuffer, 4, number);
  PutShortText(settings.settingsBuffer, kSettingHeaderSize, stored);
  return StoreSetting(settings, number);
}

bool PutNumberSetting(Settings& settings, int32_t number, int32_t value) {
  SetI32(settings.settingsBuffer, 0, kSettingHeaderSize + 4);
  SetI32(settings.settingsBuffer, 4, number);
  SetI32(settings.settingsBuffer, kSettingHeaderSize, value);
  return StoreSetting(settings, number);
}

}  // namespace tovalia
