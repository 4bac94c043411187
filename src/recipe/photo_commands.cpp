#include "recipe/photo_commands.h"

#include <algorithm>

#include "db/byte_buffer.h"
#include "db/data_file.h"
#include "db/record_format.h"
#include "platform/desktop_clipboard.h"
#include "platform/program_folder.h"
#include "recipe/photo.h"
#include "ui/file_chooser.h"
#include "ui/message_box.h"

namespace tovalia {

namespace {

// Picture types a clipboard may offer, the most faithful first.
const char* const kPictureTypes[] = {"image/png", "image/bmp", "image/x-bmp", "image/jpeg", "image/gif"};
// Copied files, as file managers offer them.
const char* const kFileListTypes[] = {"text/uri-list", "x-special/gnome-copied-files"};

bool Offers(const std::vector<std::string>& types, const std::string& type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

std::string PhotoFolder(App& app) {
  std::string folder = GetTextSetting(app.settings, setting::kPhotoFolder);
  return folder.empty() ? DefaultFileFolder() : folder;
}

// The chosen file: a typed name that is a whole path stands for itself.
std::string ChosenPath(const std::string& folder, const std::string& name) {
  return !name.empty() && name[0] == '/' ? name : folder + name;
}

// Tells the user why a picture did not become the photo; true for a photo.
bool Reported(App& app, PhotoOutcome outcome) {
  switch (outcome) {
    case PhotoOutcome::kPhoto: return true;
    case PhotoOutcome::kNoPicture:
    case PhotoOutcome::kUnsupported: ShowNotice(app.ui, kUnsupportedPhotoMessage); break;
    case PhotoOutcome::kUnreadable: ShowNotice(app.ui, "The picture file could not be read."); break;
  }
  return false;
}

bool LoadPhoto(App& app) {
  std::string folder = PhotoFolder(app);
  std::string name;
  int result = 0;
  ChooseFile(app.ui, "Locate JPG, GIF, or BMP Graphic for Photo", kChooserPlain, folder, name, result);
  if (result != 1 || name.empty()) return false;
  const std::string path = ChosenPath(folder, name);
  if (!FileExists(path)) {
    ShowNotice(app.ui, "File Not Found?");
    return false;
  }
  PutTextSetting(app.settings, setting::kPhotoFolder, folder);
  return Reported(app, LoadPhotoFile(app.db, path));
}

void SavePhoto(App& app) {
  const std::vector<uint8_t> photo = SoundStoredPhoto(app.db);
  if (photo.empty()) return ShowNotice(app.ui, "No Picture to Save?");
  std::string folder = PhotoFolder(app);
  std::string name;
  int result = 0;
  ChooseFile(app.ui, "Save BMP Graphic", kChooserPlain, folder, name, result);
  if (result != 1 || name.empty()) return;
  const std::string path = ChosenPath(folder, PhotoFileName(name));
  if (FileExists(path)) {
    int answer = 0;
    ShowMessage(app.ui, PhotoFileName(name) + "|Already Exists!|Do you want to overwrite it?", "", 1, "OK|Cancel", 0,
                answer);
    if (answer != 1) return;
  }
  if (!ReplaceFileContents(path, photo.data(), photo.size()))
    ShowNotice(app.ui, "The photo could not be saved as|" + path);
}

bool CopyPhoto(App& app) {
  const std::vector<uint8_t> photo = SoundStoredPhoto(app.db);
  if (photo.empty()) {
    ShowNotice(app.ui, "No Picture to Copy?");
    return false;
  }
  if (!app.ui.platform.SetClipboardData("image/bmp", photo)) {
    ShowNotice(app.ui, "Clipboard is not available");
    return false;
  }
  return true;
}

bool PastePhoto(App& app) {
  Platform& platform = app.ui.platform;
  const std::optional<std::vector<std::string>> types = platform.ClipboardTypes();
  if (!types) {
    ShowNotice(app.ui, "Clipboard is not available");
    return false;
  }
  std::vector<uint8_t> bytes;
  for (const char* type : kPictureTypes) {
    if (!Offers(*types, type) || !platform.ClipboardData(type, bytes)) continue;
    std::vector<uint8_t> picture = std::string(type).find("bmp") != std::string::npos ? BmpFileFromDib(bytes) : bytes;
    const PhotoOutcome outcome = NormalizePhoto(picture);
    if (outcome == PhotoOutcome::kPhoto) SetStoredPhoto(app.db, picture);
    return Reported(app, outcome);
  }
  for (const char* type : kFileListTypes) {
    if (!Offers(*types, type) || !platform.ClipboardData(type, bytes)) continue;
    const std::string path = FirstCopiedFile(std::string(bytes.begin(), bytes.end()));
    if (path.empty() || !IsPictureFileName(path) || !FileExists(path)) break;
    return Reported(app, LoadPhotoFile(app.db, path));
  }
  ShowNotice(app.ui, "No bitmap image on clipboard");
  return false;
}

bool DeletePhoto(App& app) {
  if (GetI32(app.db.recordHeaderBuffer, header::kPhotoLength) <= 0) {
    ShowNotice(app.ui, "There is no photo to delete.");
    return false;
  }
  SetStoredPhoto(app.db, {});
  return true;
}

}  // namespace

bool RunPhotoCommand(App& app, const std::string& caption) {
  if (caption == "Load Photo") return LoadPhoto(app);
  if (caption == "Save Photo") {
    SavePhoto(app);
    return false;
  }
  if (caption == "Copy Photo") {
    CopyPhoto(app);
    return false;
  }
  if (caption == "Cut Photo") {
    if (!CopyPhoto(app)) return false;
    SetStoredPhoto(app.db, {});
    return true;
  }
  if (caption == "Paste Photo") return PastePhoto(app);
  if (caption == "Delete Photo") return DeletePhoto(app);
  return false;
}

}  // namespace tovalia
