#include "ui/web_pages.h"

#include "db/data_file.h"
#include "ui/message_box.h"

namespace tovalia {

void OpenWebPage(Ui& ui, const std::string& target) {
  if (!ui.platform.OpenDocument(target)) ShowNotice(ui, "Could not locate your web browser?");
}

void OpenHelp(Ui& ui) {
  if (!ui.helpPage.empty() && FileExists(ui.helpPage)) {
    OpenWebPage(ui, ui.helpPage);
  } else {
    OpenWebPage(ui, std::string(kWebSite) + "/tv_help.htm?source=program");
  }
}

}  // namespace tovalia
