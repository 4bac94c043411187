#include "app/version_reminder.h"

#include "db/clock.h"
#include "ui/message_box.h"
#include "ui/web_pages.h"

namespace tovalia {

bool ReminderQuestionDue(int storedMonth, int currentMonth) {
  return storedMonth != currentMonth && storedMonth > 0 && currentMonth % 2 == 1;
}

void RunVersionReminder(App& app) {
  const int stored = GetNumberSetting(app.settings, setting::kReminderMonth);
  const int month = Today().month;
  if (stored == month) return;
  if (ReminderQuestionDue(stored, month)) {
    int answer = 0;
    ShowMessage(app.ui,
                "You are using Tovalia 5.8||Do you want to check|if a newer version is available?",
                "", 1, "OK|Cancel", 0, answer);
    if (answer == 1)
      OpenWebPage(app.ui, std::string(kWebSite) + "/tv_upgrade.htm?source=program");
  }
  PutNumberSetting(app.settings, setting::kReminderMonth, month);
}

}  // namespace tovalia
