#include "output/print_destination.h"

#include "output/pdf_book.h"
#include "output/print_record.h"
#include "platform/program_folder.h"
#include "ui/file_chooser.h"

namespace tovalia {

bool AskWherePdfGoes(App& app, const ByteBuffer& record, const std::string& proposedName, std::string& path) {
  path.clear();
  if (PrinterName(record) != kSaveAsPdfPrinter) return true;
  std::string folder = GetTextSetting(app.settings, setting::kExportFolder);
  if (folder.empty()) folder = DefaultFileFolder();
  std::string name = proposedName;
  int result = 0;
  ChooseFile(app.ui, "Where do you want to save your PDF?", kChooserPlain, folder, name, result);
  if (result != 1 || name.empty()) return false;
  PutTextSetting(app.settings, setting::kExportFolder, folder);
  path = folder + PdfFileName(name);
  return true;
}

}  // namespace tovalia
