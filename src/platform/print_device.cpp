#include "platform/print_device.h"

namespace tovalia {

namespace {
int ToPixels(int thousandths, int dpi) { return static_cast<int>(static_cast<long long>(thousandths) * dpi / 1000); }
}  // namespace

int PrintDevice::OffsetX() const { return ToPixels(printer_.marginLeft, printer_.dpiX); }
int PrintDevice::OffsetY() const { return ToPixels(printer_.marginTop, printer_.dpiY); }

int PrintDevice::PrintableWidth() const {
  return ToPixels(paper_.width - printer_.marginLeft - printer_.marginRight, printer_.dpiX);
}

int PrintDevice::PrintableHeight() const {
  return ToPixels(paper_.height - printer_.marginTop - printer_.marginBottom, printer_.dpiY);
}

}  // namespace tovalia
