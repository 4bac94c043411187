// Setup50.dat: every remembered setting as a numbered record (size, number,
// payload), read and rewritten whole on each access. Storing a setting
// replaces the record of that number and keeps all others in their order.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"

namespace tovalia {

// Setting numbers in use.
namespace setting {
inline constexpr int32_t kImportFolder = 2;
inline constexpr int32_t kExportFolder = 3;
inline constexpr int32_t kPhotoFolder = 4;
inline constexpr int32_t kBrowserPath = 5;
inline constexpr int32_t kPrintLayout = 6;
inline constexpr int32_t kSortImportByCategory = 7;
inline constexpr int32_t kSpellCheckImport = 8;
inline constexpr int32_t kExportFormat = 9;
inline constexpr int32_t kReminderMonth = 10;
inline constexpr int32_t kWastedBytes = 11;
inline constexpr int32_t kEditorShowReturns = 12;
}  // namespace setting

inline constexpr int32_t kSettingsBufferSize = 16000;
inline constexpr int32_t kSettingHeaderSize = 8;

struct Settings {
  explicit Settings(std::string setupFilePath);
  std::string path;
  // Every record passes through here: size at 0, number at 4, payload at 8.
  ByteBuffer settingsBuffer;
};

// Fills settingsBuffer with the record of that number, or with zeros.
void LoadSetting(Settings& settings, int32_t number);
// Stores the record settingsBuffer holds, when its number is the one given.
// False when the file could not be written.
bool StoreSetting(Settings& settings, int32_t number);

std::string GetTextSetting(Settings& settings, int32_t number);
int32_t GetNumberSetting(Settings& settings, int32_t number);
bool PutTextSetting(Settings& settings, int32_t number, const std::string& text);
bool PutNumberSetting(Settings& settings, int32_t number, int32_t value);

}  // namespace tovalia
