// ChooseFile: the program's own box for picking or naming a file, for
// opening and saving alike. The caller joins folder and file name.
#pragma once

#include <string>

#include "ui/ui.h"

namespace tovalia {

inline constexpr int kChooserPlain = 0;
inline constexpr int kChooserWithClipboard = 1;  // import: the clipboard is a source too

// title: the question above the list. folder (ending with the separator)
// and fileName are read as the start and written back. result is left as
// it was when the user cancels, 1 when a file name was chosen, 2 for
// "Clipboard".
void ChooseFile(Ui& ui, const std::string& title, int mode, std::string& folder,
                std::string& fileName, int& result);

}  // namespace tovalia
