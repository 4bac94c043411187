// The toolkit on a headless platform inside the test process: a script
// plays the user, and the test calls the dialog and looks at what it left.
#pragma once

#include <memory>
#include <string>

#include "platform/canvas.h"
#include "platform/headless_platform.h"
#include "ui/ui.h"

namespace tovalia::testing {

class ScriptedUi {
 public:
  explicit ScriptedUi(const std::string& script, int width = 800, int height = 599);
  Ui& ui() { return *ui_; }
  HeadlessPlatform& platform() { return *platform_; }
  Canvas& canvas() { return *canvas_; }
  // True when every expect and press line of the script held.
  bool Passed() const { return !platform_->Failed(); }

 private:
  std::unique_ptr<HeadlessPlatform> platform_;
  std::unique_ptr<Canvas> canvas_;
  std::unique_ptr<Ui> ui_;
};

}  // namespace tovalia::testing
