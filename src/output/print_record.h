// The print settings record of one layout, kept in Setup50.dat under the
// layout's id: positions, card geometry, options, printer, font and a
// device-mode block. Its first two fields are the settings record's own
// size and number. The screens and the printing work on a copy of its first
// 8000 bytes and write that copy back.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"
#include "platform/print_device.h"
#include "state/settings.h"

namespace tovalia {

// Byte offsets of the record's fields.
namespace print_field {
inline constexpr int32_t kLength = 0;  // 400 + device-mode size; 0: no record
inline constexpr int32_t kLayoutId = 4;
inline constexpr int32_t kLeft = 8;
inline constexpr int32_t kTop = 12;
inline constexpr int32_t kFontSize = 16;
inline constexpr int32_t kOnePerCard = 20;
inline constexpr int32_t kOutlines = 21;
inline constexpr int32_t kOrientation = 22;  // i16
inline constexpr int32_t kCardWidth = 24;
inline constexpr int32_t kCardHeight = 28;
inline constexpr int32_t kAcross = 32;
inline constexpr int32_t kDown = 36;
inline constexpr int32_t kPhotos = 40;  // record 70: the meal list after the groceries
inline constexpr int32_t kSeparateColumns = 41;
inline constexpr int32_t kHorizontalSpacing = 44;
inline constexpr int32_t kVerticalSpacing = 48;
inline constexpr int32_t kPrinterName = 100;  // short text, at most 199 characters
inline constexpr int32_t kFont = 300;         // 60-byte logical-font description
inline constexpr int32_t kFontHeight = 300;
inline constexpr int32_t kFontWeight = 316;
inline constexpr int32_t kFontFace = 328;     // 32 bytes, NUL-terminated
inline constexpr int32_t kDeviceMode = 400;
}  // namespace print_field

// Offsets inside the device-mode block, in the Windows device-mode layout.
namespace device_mode {
inline constexpr int32_t kDeviceName = 0;  // 32 bytes, NUL-terminated
inline constexpr int32_t kSpecVersion = 32;
inline constexpr int32_t kSize = 36;
inline constexpr int32_t kFields = 40;
inline constexpr int32_t kOrientation = 44;
inline constexpr int32_t kPaperSize = 46;
inline constexpr int32_t kPaperLength = 48;
inline constexpr int32_t kPaperWidth = 50;
inline constexpr int32_t kCopies = 54;
inline constexpr int32_t kPrintQuality = 58;  // horizontal dots per inch
inline constexpr int32_t kYResolution = 64;
inline constexpr int32_t kBlockSize = 156;
}  // namespace device_mode

inline constexpr int32_t kPrintRecordBaseLength = 400;
inline constexpr int32_t kPrintWorkingSize = 8000;
inline constexpr int32_t kPrinterNameLimit = 199;
inline constexpr int32_t kFontFaceLimit = 31;
inline constexpr int32_t kDefaultFontSize = 11;

// A fresh working record (8000 zero bytes).
ByteBuffer NewPrintRecord();
// A working record with the same bytes.
ByteBuffer CopyPrintRecord(const ByteBuffer& record);

bool HasDeviceMode(const ByteBuffer& record);
std::string PrinterName(const ByteBuffer& record);
std::string FontFace(const ByteBuffer& record);
void SetFontFace(ByteBuffer& record, const std::string& face);
int32_t FontSize(const ByteBuffer& record);
void SetFontSize(ByteBuffer& record, int32_t points);

// Makes `printer` the record's printer: its name at 100 and a device-mode
// block of its resolution at 400, the length set to match.
void SetPrinter(ByteBuffer& record, const PrinterInfo& printer);

// Builds a fresh record for a layout id (50-59, 70, 80) with its initial
// values, "Arial" 11 point, and the system's default printer when it can be
// opened (else no printer and length 400).
void LayoutDefaults(ByteBuffer& record, int32_t id, PrintSystem& printers);

// The paper a record prints on, from its orientation and paper code.
PaperSetup RecordPaper(const ByteBuffer& record);

// Setup50.dat: the record of that id copied into `record`, built with
// LayoutDefaults when the file has none; and the copy written back.
void LoadPrintRecord(Settings& settings, int32_t id, ByteBuffer& record, PrintSystem& printers);
bool StorePrintRecord(Settings& settings, const ByteBuffer& record);

// Record 6: the current recipe layout, written as 50 when missing or unsound.
int32_t CurrentRecipeLayout(Settings& settings);

}  // namespace tovalia
