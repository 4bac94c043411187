// The editor's six photo buttons: load from a file, save as a BMP file,
// cut, copy and paste through the clipboard, delete.
#pragma once

#include <string>

#include "state/app_state.h"

namespace tovalia {

inline const char* const kPhotoCaptions[] = {"Load Photo",  "Save Photo",  "Cut Photo",
                                             "Copy Photo",  "Paste Photo", "Delete Photo"};

// Runs the button so captioned on the current record's photo. True when the
// photo changed.
bool RunPhotoCommand(App& app, const std::string& caption);

// The words for a picture that cannot be read.
inline constexpr char kUnsupportedPhotoMessage[] =
    "Unsupported Format||Tovalia only supports|JPG, PNG, GIF, and BMP picture formats";

}  // namespace tovalia
