// The files of installed font faces, found through fontconfig, for code
// that embeds a face rather than drawing with it.
#pragma once

#include <string>

namespace tovalia {

// The file of the family's regular or bold face; empty when that family is
// not installed (fontconfig's nearest other family does not count).
std::string FindFontFile(const std::string& family, bool bold);

}  // namespace tovalia
