#include "output/haru_surface.h"

#include <hpdf.h>

#include <cstdio>

#include "platform/font_files.h"

namespace tovalia {

namespace {

void HPDF_STDCALL OnError(HPDF_STATUS error, HPDF_STATUS detail, void* surface) {
  static_cast<HaruSurface*>(surface)->NoteError(error, detail);
}

HPDF_Doc Document(void* document) { return static_cast<HPDF_Doc>(document); }
HPDF_Page Page(void* page) { return static_cast<HPDF_Page>(page); }

std::string FirstFound(const char* family, const char* twin, bool bold) {
  std::string file = FindFontFile(family, bold);
  return file.empty() ? FindFontFile(twin, bold) : file;
}

}  // namespace

BookFonts FindBookFonts() {
  return {FirstFound("Arial", "Liberation Sans", true), FirstFound("Times New Roman", "Liberation Serif", false)};
}

HaruSurface::HaruSurface(const BookFonts& fonts) {
  HPDF_Doc document = HPDF_New(OnError, this);
  document_ = document;
  if (!document || fonts.boldFile.empty() || fonts.textFile.empty()) return;
  HPDF_SetCompressionMode(document, HPDF_COMP_ALL);
  const char* bold = HPDF_LoadTTFontFromFile(document, fonts.boldFile.c_str(), HPDF_TRUE);
  const char* text = HPDF_LoadTTFontFromFile(document, fonts.textFile.c_str(), HPDF_TRUE);
  if (!bold || !text) return;
  // Our texts are Windows-1252 bytes: with this encoding è, û and à come out as themselves.
  bold_ = HPDF_GetFont(document, bold, "CP1252");
  text_ = HPDF_GetFont(document, text, "CP1252");
  ready_ = bold_ && text_ && firstError_.empty();
}

HaruSurface::~HaruSurface() {
  if (document_) HPDF_Free(Document(document_));
}

void HaruSurface::NoteError(unsigned long error, unsigned long detail) {
  if (firstError_.empty()) {
    char text[160];
    std::snprintf(text, sizeof text, "Error number = %lu [&H%lX]|Detail number = %lu [&H%lX]", error, error, detail,
                  detail);
    firstError_ = text;
  }
  if (document_) HPDF_ResetError(Document(document_));
}

void* HaruSurface::Font(BookFace face) { return face == BookFace::kBold ? bold_ : text_; }

void HaruSurface::AddPage(double width, double height) {
  HPDF_Page page = HPDF_AddPage(Document(document_));
  page_ = page;
  if (!page) return;
  HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(width));
  HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(height));
}

double HaruSurface::TextWidth(BookFace face, double size, std::string_view text) {
  if (!page_ || text.empty()) return 0;
  HPDF_Page_SetFontAndSize(Page(page_), static_cast<HPDF_Font>(Font(face)), static_cast<HPDF_REAL>(size));
  return HPDF_Page_TextWidth(Page(page_), std::string(text).c_str());
}

void HaruSurface::DrawText(BookFace face, double size, double x, double y, std::string_view text) {
  if (!page_ || text.empty()) return;
  HPDF_Page page = Page(page_);
  HPDF_Page_BeginText(page);
  HPDF_Page_SetFontAndSize(page, static_cast<HPDF_Font>(Font(face)), static_cast<HPDF_REAL>(size));
  HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y), std::string(text).c_str());
  HPDF_Page_EndText(page);
}

void HaruSurface::DrawLine(double x1, double y1, double x2, double y2, double width) {
  if (!page_) return;
  HPDF_Page page = Page(page_);
  HPDF_Page_SetLineWidth(page, static_cast<HPDF_REAL>(width));
  HPDF_Page_MoveTo(page, static_cast<HPDF_REAL>(x1), static_cast<HPDF_REAL>(y1));
  HPDF_Page_LineTo(page, static_cast<HPDF_REAL>(x2), static_cast<HPDF_REAL>(y2));
  HPDF_Page_Stroke(page);
}

void HaruSurface::DrawPicture(const std::vector<uint32_t>& pixels, int columns, int rows, double x, double y,
                              double width, double height) {
  if (!page_ || columns <= 0 || rows <= 0 || pixels.size() < static_cast<size_t>(columns) * rows) return;
  std::vector<HPDF_BYTE> rgb;
  rgb.reserve(pixels.size() * 3);
  for (uint32_t p : pixels) {
    rgb.push_back(static_cast<HPDF_BYTE>(p >> 16));
    rgb.push_back(static_cast<HPDF_BYTE>(p >> 8));
    rgb.push_back(static_cast<HPDF_BYTE>(p));
  }
  HPDF_Image image = HPDF_LoadRawImageFromMem(Document(document_), rgb.data(), static_cast<HPDF_UINT>(columns),
                                              static_cast<HPDF_UINT>(rows), HPDF_CS_DEVICE_RGB, 8);
  if (image)
    HPDF_Page_DrawImage(Page(page_), image, static_cast<HPDF_REAL>(x), static_cast<HPDF_REAL>(y),
                        static_cast<HPDF_REAL>(width), static_cast<HPDF_REAL>(height));
}

bool HaruSurface::Save(const std::string& path) {
  return document_ && HPDF_SaveToFile(Document(document_), path.c_str()) == HPDF_OK;
}

}  // namespace tovalia
