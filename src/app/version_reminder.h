// The new-version reminder: at most once a month, only in odd months, and
// never on the first run.
#pragma once

#include "state/app_state.h"

namespace tovalia {

// Whether to ask, given the month stored last time (0: never) and this month.
bool ReminderQuestionDue(int storedMonth, int currentMonth);

// Asks when due, opens the upgrade page on OK, and stores this month.
void RunVersionReminder(App& app);

}  // namespace tovalia
