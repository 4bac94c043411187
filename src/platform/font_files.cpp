#include "platform/font_files.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

namespace tovalia {

std::string FindFontFile(const std::string& family, bool bold) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* matchedFamily = nullptr;
  FcChar8* path = nullptr;
  int weight = 0;
  if (match && FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
      FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
      FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
      strcasecmp(reinterpret_cast<const char*>(matchedFamily), family.c_str()) == 0 &&
      (weight >= FC_WEIGHT_BOLD) == bold) {
    // Embedding takes TrueType files only.
    const std::string found = reinterpret_cast<const char*>(path);
    if (found.size() > 4 && strcasecmp(found.c_str() + found.size() - 4, ".ttf") == 0) file = found;
  }
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace tovalia
