#include "output/print_record.h"

#include <algorithm>

#include "output/print_layouts.h"

namespace tovalia {

namespace {

constexpr char kInitialFace[] = "Arial";
constexpr int32_t kNormalWeight = 400;
constexpr int32_t kDeviceModeVersion = 0x0401;
// The fields the block fills: orientation, paper size, length and width,
// copies, print quality and vertical resolution.
constexpr int32_t kFilledFields = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0100 | 0x0400 | 0x2000;
constexpr int32_t kLetterSize[2] = {8500, 11000};
constexpr int32_t kA4Size[2] = {8270, 11690};

void PutZText(ByteBuffer& buffer, int32_t offset, const std::string& text, int32_t capacity) {
  FillBytes(buffer, offset, capacity, 0);
  PutBytes(buffer, offset, text.substr(0, static_cast<size_t>(capacity - 1)));
}

}  // namespace

ByteBuffer NewPrintRecord() {
  ByteBuffer record;
  CreateBuffer(kPrintWorkingSize, record);
  return record;
}

ByteBuffer CopyPrintRecord(const ByteBuffer& record) {
  ByteBuffer copy = NewPrintRecord();
  MoveBytes(record, 0, copy, 0, std::min(record.Size(), copy.Size()));
  return copy;
}

bool HasDeviceMode(const ByteBuffer& record) {
  return GetI32(record, print_field::kLength) > kPrintRecordBaseLength;
}

std::string PrinterName(const ByteBuffer& record) {
  return GetShortText(record, print_field::kPrinterName).substr(0, kPrinterNameLimit);
}

std::string FontFace(const ByteBuffer& record) {
  return GetZText(record, print_field::kFontFace).substr(0, kFontFaceLimit);
}

void SetFontFace(ByteBuffer& record, const std::string& face) {
  PutZText(record, print_field::kFontFace, face, kFontFaceLimit + 1);
  SetI32(record, print_field::kFontWeight, kNormalWeight);
}

int32_t FontSize(const ByteBuffer& record) { return GetI32(record, print_field::kFontSize); }

void SetFontSize(ByteBuffer& record, int32_t points) {
  SetI32(record, print_field::kFontSize, points);
  SetI32(record, print_field::kFontHeight, points);
}

void SetPrinter(ByteBuffer& record, const PrinterInfo& printer) {
  using namespace device_mode;
  const int32_t block = print_field::kDeviceMode;
  FillBytes(record, block, kBlockSize, 0);
  PutZText(record, block + kDeviceName, printer.name, 32);
  SetU16(record, block + kSpecVersion, kDeviceModeVersion);
  SetU16(record, block + kSize, kBlockSize);
  SetI32(record, block + kFields, kFilledFields);
  SetU16(record, block + kOrientation, kPortrait);
  SetU16(record, block + kPaperSize, kPaperLetter);
  SetU16(record, block + kCopies, 1);
  SetU16(record, block + kPrintQuality, printer.dpiX);
  SetU16(record, block + kYResolution, printer.dpiY);
  SetI32(record, print_field::kLength, kPrintRecordBaseLength + kBlockSize);
  std::string name = printer.name.substr(0, kPrinterNameLimit);
  SetU8(record, print_field::kPrinterName, static_cast<int32_t>(name.size()));
  PutBytes(record, print_field::kPrinterName + 1, name);
}

void LayoutDefaults(ByteBuffer& record, int32_t id, PrintSystem& printers) {
  using namespace print_field;
  FillBytes(record, 0, record.Size(), 0);
  SetI32(record, kLength, kPrintRecordBaseLength);
  SetI32(record, kLayoutId, id);
  SetFontSize(record, kDefaultFontSize);
  SetFontFace(record, kInitialFace);
  if (const LayoutSpec* layout = RecipeLayout(id)) {
    SetI32(record, kLeft, layout->left);
    SetI32(record, kTop, layout->top);
    SetU8(record, kOnePerCard, layout->onePerCard);
    SetU8(record, kOutlines, layout->outlines);
    SetU8(record, kPhotos, layout->photos);
    SetU16(record, kOrientation, layout->orientation);
    SetI32(record, kCardWidth, layout->cardWidth);
    SetI32(record, kCardHeight, layout->cardHeight);
    SetI32(record, kAcross, layout->across);
    SetI32(record, kDown, layout->down);
    SetI32(record, kHorizontalSpacing, layout->horizontalSpacing);
    SetI32(record, kVerticalSpacing, layout->verticalSpacing);
  } else {
    SetI32(record, kLeft, 250);
    SetI32(record, kTop, 250);
    SetU16(record, kOrientation, kPortrait);
    SetI32(record, kCardWidth, 7500);
    SetI32(record, kCardHeight, 10000);
    SetI32(record, kAcross, 1);
    SetI32(record, kDown, 1);
    if (id == kMealListLayout) SetFontSize(record, 14);
  }
  PrinterInfo printer;
  if (printers.OpenPrinter(printers.DefaultPrinter(), RecordPaper(record), printer))
    SetPrinter(record, printer);
}

PaperSetup RecordPaper(const ByteBuffer& record) {
  PaperSetup paper;
  const bool a4 = HasDeviceMode(record) &&
                  GetU16(record, print_field::kDeviceMode + device_mode::kPaperSize) == kPaperA4;
  const int32_t* size = a4 ? kA4Size : kLetterSize;
  paper.paperCode = a4 ? kPaperA4 : kPaperLetter;
  if (const LayoutSpec* layout = RecipeLayout(GetI32(record, print_field::kLayoutId))) {
    paper.paperCode = layout->paperCode;
    size = layout->paperCode == kPaperA4 ? kA4Size : kLetterSize;
  }
  paper.landscape = GetU16(record, print_field::kOrientation) == kLandscape;
  paper.width = paper.landscape ? size[1] : size[0];
  paper.height = paper.landscape ? size[0] : size[1];
  return paper;
}

void LoadPrintRecord(Settings& settings, int32_t id, ByteBuffer& record, PrintSystem& printers) {
  LoadSetting(settings, id);
  const int32_t length = GetI32(settings.settingsBuffer, print_field::kLength);
  if (length < kPrintRecordBaseLength || GetI32(settings.settingsBuffer, print_field::kLayoutId) != id) {
    LayoutDefaults(record, id, printers);
    return;
  }
  FillBytes(record, 0, record.Size(), 0);
  MoveBytes(settings.settingsBuffer, 0, record, 0, std::min(record.Size(), settings.settingsBuffer.Size()));
  // A device-mode block longer than the working copy cannot be kept whole.
  if (length > record.Size()) SetI32(record, print_field::kLength, kPrintRecordBaseLength);
}

bool StorePrintRecord(Settings& settings, const ByteBuffer& record) {
  FillBytes(settings.settingsBuffer, 0, settings.settingsBuffer.Size(), 0);
  MoveBytes(record, 0, settings.settingsBuffer, 0, std::min(record.Size(), settings.settingsBuffer.Size()));
  return StoreSetting(settings, GetI32(record, print_field::kLayoutId));
}

int32_t CurrentRecipeLayout(Settings& settings) {
  int32_t id = GetNumberSetting(settings, setting::kPrintLayout);
  if (GetI32(settings.settingsBuffer, 0) != kSettingHeaderSize + 4 || !IsRecipeLayout(id)) {
    id = kFirstRecipeLayout;
    PutNumberSetting(settings, setting::kPrintLayout, id);
  }
  return id;
}

}  // namespace tovalia
