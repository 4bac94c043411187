// The first sheet as it will print: the recipes flowed onto the cards of
// the layout by the same drawing code that prints, shown in a box.
#pragma once

#include <cstdint>
#include <vector>

#include "db/byte_buffer.h"
#include "state/app_state.h"

namespace tovalia {

void ShowFirstSheet(App& app, const ByteBuffer& record, const std::vector<int32_t>& entries);

}  // namespace tovalia
