// The formats for spreadsheets and shopping programs: comma-delimited with
// and without field names, tab-delimited, and SplashShopper's CSV.
#include "grocery/grocery_export.h"
#include "grocery/grocery_export_writers.h"
#include "grocery/grocery_money.h"

namespace tovalia {

namespace {

// A CSV field: in double quotes, with a quote inside written twice, so that
// `12" pan` reads back as it was.
std::string CsvField(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    out += ch;
    if (ch == '"') out += '"';
  }
  return out + "\"";
}

// SplashShopper reads its fields in quotes as they are, quotes not doubled.
std::string SplashShopperField(const std::string& text) { return "\"" + text + "\""; }

std::string Joined(const std::vector<std::string>& fields, const std::string& separator) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i > 0 ? separator : "") + fields[i];
  return line;
}

}  // namespace

std::string OneLineField(const std::string& text) {
  std::string out = text;
  for (char& ch : out)
    if (static_cast<unsigned char>(ch) < 32) ch = ' ';
  return out;
}

std::vector<std::string> DelimitedLines(const GroceryCatalogue& c, const std::vector<int32_t>& order,
                                        int format) {
  std::vector<std::string> lines;
  if (format == kExportCsvWithNames) lines.push_back("Store,Location,Quantity,Item,Cost");
  for (int32_t item : order) {
    const std::string store = OneLineField(ItemStore(c.image, item));
    const std::string location = OneLineField(ItemLocation(c.image, item));
    const std::string quantity = std::to_string(ItemQuantity(c.image, item));
    const std::string name = OneLineField(ItemName(c.image, item));
    const std::string cost = FormatMoney(ItemCost(c.image, item));
    if (format == kExportTabDelimited) {
      lines.push_back(Joined({store, location, quantity, name, cost}, "\t"));
    } else if (format == kExportSplashShopper) {
      std::vector<std::string> fields{"", name, store, location, "", "", quantity, "", cost, "", "", "", "", ""};
      for (std::string& field : fields) field = SplashShopperField(field);
      lines.push_back(Joined(fields, ","));
    } else {
      std::vector<std::string> fields{store, location, quantity, name, cost};
      for (std::string& field : fields) field = CsvField(field);
      lines.push_back(Joined(fields, ","));
    }
  }
  return lines;
}

}  // namespace tovalia
