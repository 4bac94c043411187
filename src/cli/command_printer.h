// The printer a printing command prints on, chosen from its --printer and
// --output options and the stored print settings.
#pragma once

#include <string>

#include "cli/commands.h"
#include "db/byte_buffer.h"
#include "platform/print_device.h"

namespace tovalia {

// Sets the record's printer: `printer` (CP1252) when named, else "Save as
// PDF" when an output file is, else the record keeps its own. False, with
// the reason on standard error, when that printer does not exist, the
// record has none (`whose` names the settings: "Layout 50"), or "Save as
// PDF" has no output file.
bool UseCommandPrinter(CommandContext& c, ByteBuffer& record, PrintSystem& printers, const std::string& printer,
                       const std::string& output, const std::string& whose);

// A list's stored print settings (record 70 or 80; those of a first use
// when none are stored), upright, on the printer the options choose. False,
// with the reason on standard error, as for UseCommandPrinter.
bool ListRecordForCommand(CommandContext& c, int32_t id, ByteBuffer& record, PrintSystem& printers,
                          const std::string& printer, const std::string& output, const std::string& whose);

}  // namespace tovalia
