#include "support/scripted_ui.h"

#include <stdexcept>

namespace tovalia::testing {

ScriptedUi::ScriptedUi(const std::string& script, int width, int height) {
  std::vector<ScriptCommand> commands;
  std::string error;
  if (!ParseScript(script, commands, error)) throw std::runtime_error(error);
  platform_ = std::make_unique<HeadlessPlatform>(std::move(commands), DisplayMode{1024, 768, 32});
  canvas_ = std::make_unique<Canvas>(width, height);
  platform_->CreateMainWindow("Tovalia", 0, 0, width, height);
  platform_->AttachCanvas(canvas_.get());
  ui_ = std::make_unique<Ui>(*platform_, *canvas_);
}

}  // namespace tovalia::testing
