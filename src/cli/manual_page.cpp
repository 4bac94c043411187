#include "cli/manual_page.h"

#include "cli/command_help.h"
#include "db/product.h"

namespace tovalia {

namespace {

// A heading paragraph and its indented text.
std::string Item(std::string_view heading, std::string_view text) {
  return ".TP\n" + std::string(heading) + "\n" + RoffText(text, false) + "\n";
}

std::string Bold(std::string_view text) { return "\\fB" + RoffText(text, true) + "\\fR"; }

}  // namespace

std::string RoffText(std::string_view text, bool dashes) {
  std::string out;
  if (!text.empty() && (text[0] == '.' || text[0] == '\'')) out += "\\&";
  for (char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-' && dashes) {
      out += "\\-";
    } else if (c == '\n') {
      out += '\n';
    } else {
      out += c;
    }
  }
  return out;
}

std::string ManualPage() {
  std::string page = ".TH TOVALIA 1 \"\" \"" + std::string(kProductName) + " " + kProductVersion +
                     "\" \"User Commands\"\n";
  page += ".SH NAME\ntovalia \\- a recipe manager: recipes in chapters, import, resizing, printing, "
          "grocery list\n";
  page += ".SH SYNOPSIS\n"
          ".B tovalia\n[\\fB\\-\\-data\\fR \\fIDIR\\fR] [\\fIFILE\\fR]\n.br\n"
          ".B tovalia\n[\\fB\\-\\-data\\fR \\fIDIR\\fR] [\\fB\\-\\-wait\\fR \\fISECONDS\\fR] "
          "\\fICOMMAND\\fR [\\fIARGUMENTS\\fR]\n.br\n"
          ".B tovalia\n\\fICOMMAND\\fR \\fB\\-\\-help\\fR\n";
  page += ".SH DESCRIPTION\n" +
          RoffText("Tovalia keeps one person's recipes and kitchen notes in chapters, finds them by words "
                   "and phrases, imports the exports of other recipe programs, resizes recipes with "
                   "kitchen fractions, prints them on cards and pages, saves PDF cookbooks, and keeps a "
                   "grocery list.",
                   false) +
          "\n.PP\n" +
          RoffText("Without a command it opens its window. Given a FILE (as the desktop's file manager "
                   "does when a recipe file is opened with Tovalia), it opens the window and the import "
                   "of that file: when the Index screen shows a reserved view, it first asks for the "
                   "chapter the recipes go to, or to file them in chapters named by their categories.",
                   false) +
          "\n.PP\n" +
          RoffText("With a command it does one job on the collection without a window and exits. Output "
                   "is UTF-8 text, one item a line, fields separated by tabs; messages go to standard "
                   "error.",
                   false) +
          "\n";

  page += ".SH COMMANDS\n";
  for (const CommandHelp& command : CommandHelps()) {
    std::string heading = Bold(command.name);
    if (!command.synopsis.empty()) heading += " " + RoffText(command.synopsis, true);
    page += Item(heading, command.details);
  }

  page += ".SH OPTIONS\n";
  page += Item(Bold("--data") + " \\fIDIR\\fR",
               "The data folder to work on, instead of the one chosen as described under DATA FOLDER.");
  page += Item(Bold("--wait") + " \\fISECONDS\\fR",
               "How long a command waits while another Tovalia has the data folder (default 5).");
  page += Item(Bold("--version"), "Prints the version and exits.");
  page += Item(Bold("--help"),
               "Prints the commands, one line each, and exits. After a command, prints what that command "
               "takes and does.");
  page += ".PP\n" +
          RoffText("An option that is not known is refused with the nearest known one as a hint.", false) +
          "\n";

  page += ".SH WINDOW OPTIONS\n";
  page += Item(Bold("--headless") + " " + Bold("--script") + " \\fIFILE\\fR",
               "Runs the screens without a window, driven by the clicks, keys and checks of the script "
               "FILE (see the README).");
  page += Item(Bold("--screen") + " \\fIW\\fRx\\fIH\\fR, " + Bold("--bpp") + " \\fIN\\fR",
               "Pretend the desktop has that size and colour depth.");
  page += Item(Bold("--today") + " \\fIYYYY\\-MM\\-DD\\fR", "Pretend today is that date.");

  page += ".SH DATA FOLDER\n" +
          RoffText("The collection lives in one folder, chosen in this order: the folder given by --data; "
                   "the folder named by TOVALIA_DATA; tv_data/ beside the program when that folder can be "
                   "written (a copy of the program with its own tv_data/ keeps its data with it); "
                   "otherwise tv_data/ in the user's data folder, $XDG_DATA_HOME/tovalia/tv_data/, by "
                   "default ~/.local/share/tovalia/tv_data/. The Help screen and \"tovalia check\" say "
                   "which folder is in use.",
                   false) +
          "\n";

  page += ".SH ENVIRONMENT\n";
  page += Item(".B TOVALIA_DATA", "The data folder, unless --data names another.");
  page += Item(".B XDG_DATA_HOME", "Where the user's data folder lies (default ~/.local/share).");
  page += Item(".B TMPDIR", "Where the marker that keeps a second window from starting is kept.");

  page += ".SH FILES\n";
  page += Item(".I Recipe34.dat", "Every recipe, text record and chapter.");
  page += Item(".I Index34.dat", "The title index; rebuilt from the recipe file whenever it does not match.");
  page += Item(".I Setup50.dat", "The numbered settings.");
  page += Item(".I Grocer30.dat", "The grocery items and the shopping list.");
  page += Item(".I Tovalia.lock",
               "Held by the window and by every command while they work on the folder; one writer at a "
               "time.");

  page += ".SH EXIT STATUS\n";
  page += Item(".B 0", "The job was done.");
  page += Item(".B 1",
               "The job could not be done (an unknown recipe number, a failed write, a data folder in "
               "use), or the window refused to start.");
  page += Item(".B 2", "A wrong command, option or argument; nothing was touched.");
  page += Item(".B 3", "A headless script's check failed.");

  page += ".SH SEE ALSO\n" + RoffText("The Help screen, and Help.htm, which F1 opens in the browser.", false) +
          "\n";
  return page;
}

}  // namespace tovalia
