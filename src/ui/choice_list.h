// ChooseFromList: a box with a heading, a list of entries and buttons, used
// where the user picks one of a few fixed choices.
#pragma once

#include <string>

#include "ui/ui.h"

namespace tovalia {

// entries and buttons are separated by "|". selection (0-based) is the
// highlighted entry, pre-set by the caller and written back. result is the
// 0-based position of the pressed button (a click on the already selected
// entry counts as the first button); it is written only when a button is
// pressed.
void ChooseFromList(Ui& ui, const std::string& heading, const std::string& entries,
                    const std::string& buttons, int& result, int& selection);

}  // namespace tovalia
