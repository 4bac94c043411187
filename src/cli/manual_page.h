// The manual page (`man tovalia`) in roff, written from the same table as
// `tovalia --help`, so the two never disagree.
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

std::string ManualPage();

// Text made safe for roff: backslashes doubled as \e, a leading dot or
// quote kept from being read as a request; with dashes true every "-"
// becomes "\-" (options and synopses, which must copy as typed).
std::string RoffText(std::string_view text, bool dashes);

}  // namespace tovalia
