#include "app/program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/artwork.h"
#include "app/frame_screen.h"
#include "app/help_screen.h"
#include "app/index_screen.h"
#include "app/window_geometry.h"
#include "calendar/meal_plan_view.h"
#include "calendar/meals_screen.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "db/clock.h"
#include "db/data_file.h"
#include "db/data_folder_lock.h"
#include "db/data_paths.h"
#include "db/product.h"
#include "grocery/grocery_screen.h"
#include "platform/headless_platform.h"
#include "platform/instance_marker.h"
#include "platform/program_folder.h"
#include "platform/sdl_platform.h"
#include "recipe/recipe_screen.h"
#include "spell/starter_dictionary.h"
#include "state/app_state.h"
#include "state/database_lifecycle.h"
#include "ui/frame.h"
#include "ui/progress_box.h"
#include "upgrade/dictionary_conversion.h"
#include "upgrade/upgrade_offer.h"
#include "platform/system_printers.h"

namespace tovalia {

namespace {

std::unique_ptr<Platform> MakePlatform(const ProgramOptions& options, std::string& error) {
  if (!options.headless) return std::make_unique<SdlPlatform>(options.screen);
  std::ifstream in(options.scriptPath, std::ios::binary);
  if (!in) {
    error = "cannot read the script \"" + options.scriptPath + "\"";
    return nullptr;
  }
  std::stringstream source;
  source << in.rdbuf();
  std::vector<ScriptCommand> script;
  if (!ParseScript(source.str(), script, error)) return nullptr;
  return std::make_unique<HeadlessPlatform>(std::move(script),
                                            options.screen.value_or(DisplayMode{1024, 768, 32}));
}

void RunScreenLoop(App& app) {
  while (!app.ui.input.quitFlag) {
    app.requestedScreen = app.currentScreen;
    switch (app.currentScreen) {
      case kHelpScreen:
        RunHelpScreen(app);
        break;
      case kIndexScreen:
        RunIndexScreen(app);
        break;
      case kRecipeScreen:
        RunRecipeScreen(app);
        break;
      case kGroceryScreen:
        RunGroceryScreen(app);
        break;
      case kMealsScreen:
        RunMealsScreen(app);
        break;
      default:
        RunFrameScreen(app);
        break;
    }
    app.currentScreen = app.requestedScreen;
  }
}

}  // namespace

bool NamesACommand(const std::vector<std::string>& args) {
  const std::vector<std::string> commands = CommandNames();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "--wait") return true;
    if (arg == "--data" || arg == "--script" || arg == "--screen" || arg == "--bpp" || arg == "--today") {
      ++i;
    } else if (arg.size() < 2 || arg[0] != '-') {
      if (arg == "help" || std::find(commands.begin(), commands.end(), arg) != commands.end()) return true;
      return !FileExists(arg) && arg.find_first_of("./") == std::string::npos;
    }
  }
  return false;
}

bool ParseProgramOptions(const std::vector<std::string>& args, ProgramOptions& options,
                         std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        error = option + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
    std::string text;
    if (option == "--headless") {
      options.headless = true;
    } else if (option == "--script") {
      if (!value(options.scriptPath)) return false;
    } else if (option == "--data") {
      if (!value(options.dataFolder)) return false;
    } else if (option == "--screen") {
      if (!value(text)) return false;
      int width = 0, height = 0;
      char by = 0;
      std::istringstream in(text);
      if (!(in >> width >> by >> height) || by != 'x' || width <= 0 || height <= 0) {
        error = "--screen takes WIDTHxHEIGHT, for example 1280x1024";
        return false;
      }
      DisplayMode mode = options.screen.value_or(DisplayMode{0, 0, 32});
      options.screen = DisplayMode{width, height, mode.bitsPerPixel};
    } else if (option == "--today") {
      // A fixed date, so that runs that depend on the month can be tried.
      if (!value(text)) return false;
      int year = 0, month = 0, day = 0;
      if (std::sscanf(text.c_str(), "%d-%d-%d", &year, &month, &day) != 3 || month < 1 ||
          month > 12 || day < 1 || day > 31) {
        error = "--today takes YYYY-MM-DD";
        return false;
      }
      options.today = LocalDate{year, month, day};
    } else if (option == "--bpp") {
      if (!value(text)) return false;
      int bits = std::atoi(text.c_str());
      if (bits <= 0 || bits > 64) {
        error = "--bpp takes the bits per pixel, for example 32";
        return false;
      }
      DisplayMode mode = options.screen.value_or(DisplayMode{1024, 768, 32});
      mode.bitsPerPixel = bits;
      options.screen = mode;
    } else if (option.rfind("-", 0) == 0 && option.size() > 1) {
      error = UnknownOptionMessage(option, WindowOptions(), "");
      return false;
    } else if (!options.fileToImport.empty()) {
      error = "opens one file at a time; \"tovalia import\" takes several in turn";
      return false;
    } else {
      std::string refusal;
      options.fileToImport = FileToOpen(option, refusal);
      if (options.fileToImport.empty()) {
        error = refusal;
        return false;
      }
    }
  }
  if (options.headless && options.scriptPath.empty()) {
    error = "--headless needs --script FILE";
    return false;
  }
  return true;
}

namespace {

int RunOnPlatform(const ProgramOptions& options, Platform* platform) {
  if (options.today) SetTodayForTesting(options.today);

  // 1. One copy at a time.
  InstanceMarker marker(DefaultMarkerPath());
  if (!marker.Acquire()) {
    platform->ShowSystemMessage(std::string(kProductName) + " is already running.",
                                std::string("Please close ") + kProductName + " and try again.");
    return kProgramRefused;
  }

  // 2-4. A display large enough and with enough colours.
  DisplayMode mode = platform->DesktopMode();
  if (auto refusal = CheckScreenSize(mode.width, mode.height)) {
    platform->ShowSystemMessage(refusal->caption, refusal->text);
    return kProgramRefused;
  }
  WindowGeometry geometry = DesignGeometry(mode.width, mode.height);
  if (auto refusal = CheckColourDepth(mode.bitsPerPixel)) {
    platform->ShowSystemMessage(refusal->caption, refusal->text);
    return kProgramRefused;
  }

  // 5-6. Work buffers and paths.
  const DataFolderChoice folderChoice = ChooseDataFolder(options.dataFolder);
  const std::string& dataFolder = folderChoice.folder;
  if (!MakeFolder(dataFolder)) {
    platform->ShowSystemMessage(kProductName, "The data folder " + dataFolder + " cannot be created.");
    return kProgramRefused;
  }
  // The window is the data folder's one writer for its whole run.
  DataFolderLock folderLock(dataFolder);
  if (!folderLock.Acquire(FolderAccess::kWrite, 0)) {
    platform->ShowSystemMessage(std::string(kProductName) + " is already running.",
                                std::string("Please close ") + kProductName + " and try again.");
    return kProgramRefused;
  }
  Database db(DataPaths::ForDataFolder(dataFolder));
  Settings settings(db.paths.setupFile);

  // 7-8. The window and its off-screen surface.
  if (!platform->CreateMainWindow(kProductName, geometry.x, geometry.y, geometry.width,
                                  geometry.height)) {
    platform->ShowSystemMessage(kProductName, "Unable to create window");
    return kProgramRefused;
  }
  Canvas canvas(geometry.width, geometry.height);
  if (auto* headless = dynamic_cast<HeadlessPlatform*>(platform)) headless->AttachCanvas(&canvas);
  Ui ui(*platform, canvas);
  ui.helpPage = ResourceFolder() + "Help.htm";
  PrepareArtwork(dataFolder, ui.background, ui.popup);
  ProgressBox progress(ui);
  db.progress = &progress;

  // 9. Forget input that arrived while starting.
  while (platform->InputPending() && !ui.input.quitFlag) ui.Pump(0);
  ui.input = InputState{};

  // 10. The frame on the Index screen; the window shows.
  MealCalendar meals(db.paths.eventFile);
  AttachMealCalendar(db, meals);
  App app{ui, db, settings, meals};
  app.dataFolderOrigin = DescribeOrigin(folderChoice.origin);
  app.fileToImport = options.fileToImport;
  SystemPrinters printers;
  app.printers = &printers;
  DrawFrame(ui, app.currentScreen);
  ui.Show();
  platform->ShowMainWindow();

  // 11-12. A first start offers the collection of an earlier installation;
  // an old spell-check dictionary is folded into the current one.
  if (!FileExists(db.paths.setupFile)) OfferUpgrade(app, UpgradeAsker::kFirstStart);
  // A data folder without a dictionary gets the one shipped beside the
  // program; an old dictionary is then folded into it.
  InstallStarterDictionary(ResourceFolder(), dataFolder);
  ConvertOldDictionary(dataFolder, progress);

  // 13-15. The database, brought into agreement with its files.
  BringDatabaseUp(db, settings);

  RunScreenLoop(app);

  // Shut-down: compaction when due, the dead-space counter, scratch files.
  ShutDatabaseDown(db, settings);
  DetachMealCalendar(db);
  DeleteDataFile(dataFolder + "temp.htm");
  DeleteDataFile(db.paths.tempFile);
  marker.Release();

  auto* headless = dynamic_cast<HeadlessPlatform*>(platform);
  return headless && headless->Failed() ? kProgramScriptFailed : kProgramEnded;
}

}  // namespace

int RunProgram(const ProgramOptions& options) {
  std::string error;
  std::unique_ptr<Platform> platform = MakePlatform(options, error);
  if (!platform) {
    std::fprintf(stderr, "tovalia: %s\n", error.c_str());
    return kProgramRefused;
  }
  int status = RunOnPlatform(options, platform.get());
  platform.reset();
  ReleaseFontCaches();
  return status;
}

}  // namespace tovalia
