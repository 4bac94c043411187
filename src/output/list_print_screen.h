// The print setup of the two lists: "Print Grocery List" (record 70) and
// "Print Meal List" (record 80). The list screens call it and, when it was
// accepted, print with the record it leaves.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"
#include "state/app_state.h"

namespace tovalia {

inline constexpr char kGroceryListTitle[] = "Print Grocery List";
inline constexpr char kMealListTitle[] = "Print Meal List";

// Opens the screen on the record of that id (70 or 80). Returns 1 when the
// user chose OK with a printer and a font chosen, else 0. `record` then
// holds the working record, which is also written back to Setup50.dat
// whichever way the screen closed.
int ListPrintSetup(App& app, const std::string& title, int32_t recordId, ByteBuffer& record);

}  // namespace tovalia
