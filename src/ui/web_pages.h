// Opening pages in the user's web browser: the maker's web pages by path,
// and the help page F1 opens. When no browser can be started, the user is
// told so.
#pragma once

#include <string>

#include "db/product.h"
#include "ui/ui.h"

namespace tovalia {

// Opens a web address or a local page; "Could not locate your web
// browser?" when no browser can be started. The window stays responsive
// while the browser runs.
void OpenWebPage(Ui& ui, const std::string& target);

// Opens Help.htm beside the program, or the help page on the web site.
void OpenHelp(Ui& ui);

}  // namespace tovalia
