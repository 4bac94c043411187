// The ten recipe layouts and the two list layouts: what each prints on and
// which of its values are fixed. Lengths in thousandths of an inch.
#pragma once

#include <cstdint>
#include <string>

namespace tovalia {

inline constexpr int32_t kFirstRecipeLayout = 50;
inline constexpr int32_t kLastRecipeLayout = 59;
inline constexpr int32_t kGroceryListLayout = 70;
inline constexpr int32_t kMealListLayout = 80;

inline constexpr int32_t kPortrait = 1;
inline constexpr int32_t kLandscape = 2;
inline constexpr int32_t kPaperLetter = 1;
inline constexpr int32_t kPaperA4 = 9;

// Which spacing a layout lets the user change.
enum class Spacing { kNone, kHorizontal, kVertical, kBoth };

struct LayoutSpec {
  int32_t id;
  const char* name;
  int32_t orientation;
  int32_t cardWidth, cardHeight;
  int32_t across, down;
  int32_t paperWidth, paperHeight;  // as the sheet lies, for the preview and the limits
  int32_t paperCode;
  int32_t left, top;                // initial
  uint8_t onePerCard, outlines, photos;  // initial
  int32_t horizontalSpacing, verticalSpacing;  // initial
  Spacing changeable;
};

// The recipe layout of that id, or null.
const LayoutSpec* RecipeLayout(int32_t id);
// The list of names the layout choice shows, separated by "|", in id order.
std::string RecipeLayoutNames();
bool IsRecipeLayout(int32_t id);
bool IsListLayout(int32_t id);

bool HorizontalSpacingChangeable(const LayoutSpec& layout);
bool VerticalSpacingChangeable(const LayoutSpec& layout);

}  // namespace tovalia
