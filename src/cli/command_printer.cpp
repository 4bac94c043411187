#include "cli/command_printer.h"

#include "db/cp1252.h"
#include "output/print_geometry.h"
#include "output/print_layouts.h"
#include "output/print_record.h"

namespace tovalia {

bool UseCommandPrinter(CommandContext& c, ByteBuffer& record, PrintSystem& printers, const std::string& printer,
                       const std::string& output, const std::string& whose) {
  std::string name = printer;
  if (name.empty() && !output.empty()) name = kSaveAsPdfPrinter;
  if (!name.empty()) {
    PrinterInfo info;
    if (!printers.OpenPrinter(name, RecordPaper(record), info)) {
      c.err << "There is no printer named \"" << Cp1252ToUtf8(name) << "\".\n";
      return false;
    }
    SetPrinter(record, info);
    ApplyLayout(record);
  }
  if (PrinterName(record).empty()) {
    c.err << whose << " has no printer; name one with --printer, or --output FILE.pdf.\n";
    return false;
  }
  if (PrinterName(record) == kSaveAsPdfPrinter && output.empty()) {
    c.err << "\"Save as PDF\" needs the file: --output FILE.pdf.\n";
    return false;
  }
  SetU16(record, print_field::kDeviceMode + device_mode::kOrientation, GetU16(record, print_field::kOrientation));
  return true;
}

bool ListRecordForCommand(CommandContext& c, int32_t id, ByteBuffer& record, PrintSystem& printers,
                          const std::string& printer, const std::string& output, const std::string& whose) {
  record = NewPrintRecord();
  LoadPrintRecord(c.settings, id, record, printers);
  SetU16(record, print_field::kOrientation, kPortrait);
  return UseCommandPrinter(c, record, printers, printer, output, whose);
}

}  // namespace tovalia
