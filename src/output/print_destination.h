// Where a document printed from a screen goes: the system's printers take
// it as a job; "Save as PDF" asks for the file first.
#pragma once

#include <string>

#include "db/byte_buffer.h"
#include "state/app_state.h"

namespace tovalia {

// For a record whose printer is "Save as PDF": asks for the file with the
// file chooser, starting in the remembered export folder with
// `proposedName`, and sets `path` (".pdf" added when missing). False when
// the user cancelled. Other printers need no file: true, `path` empty.
bool AskWherePdfGoes(App& app, const ByteBuffer& record, const std::string& proposedName, std::string& path);

}  // namespace tovalia
