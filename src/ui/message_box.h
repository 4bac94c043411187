// ShowMessage: the one routine that serves as message box, question,
// single-line prompt and multi-field form.
#pragma once

#include <string>

#include "ui/ui.h"

namespace tovalia {

// message: lines separated by "|". labels: field labels separated by "|"
// (empty with a field width gives one unlabelled field). enterButton: the
// button (from 1) that Enter chooses. buttons: captions separated by "|".
// fieldWidth: 0 for no fields; 1-99 for fields that wide, all field values
// cleared first; 100 and more for fields (width - 100) wide that show the
// values the caller left in ui.fieldValues. result: the chosen button (from
// 1), written only when a button is chosen (not when the program quits).
void ShowMessage(Ui& ui, const std::string& message, const std::string& labels, int enterButton,
                 const std::string& buttons, int fieldWidth, int& result);

// A message with the single button "OK".
void ShowNotice(Ui& ui, const std::string& message);

}  // namespace tovalia
