// Reading printed PDF files back with the poppler tools.
#pragma once

#include <string>

namespace tovalia::testing {

// What a shell command writes on standard output ("" when it cannot run).
std::string ShellOutput(const std::string& command);
// Whether pdfinfo and pdftotext are installed.
bool PopplerThere();
// The text of a PDF (one page when `page` is not 0), laid out as on the
// page when `layout`.
std::string PdfText(const std::string& path, int page = 0, bool layout = false);
// The number of pages pdfinfo reports, 0 when it cannot read the file.
int PdfPages(const std::string& path);
// Blanks and line ends in runs become one blank.
std::string Squeezed(const std::string& text);

}  // namespace tovalia::testing
