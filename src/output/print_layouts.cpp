#include "output/print_layouts.h"

namespace tovalia {

namespace {

// The two names with Avery numbers keep two blanks before the parenthesis.
constexpr LayoutSpec kLayouts[] = {
    {50, "Letter, Full Page", kPortrait, 7000, 10000, 1, 1, 8500, 11000, kPaperLetter, 750, 500, 0, 0, 1, 0, 0, Spacing::kNone},
    {51, "3x5 Card", kLandscape, 5000, 3000, 1, 1, 11000, 8500, kPaperLetter, 6000, 2750, 1, 0, 0, 0, 0, Spacing::kNone},
    {52, "4x6 Card", kLandscape, 6000, 4000, 1, 1, 11000, 8500, kPaperLetter, 5000, 2250, 1, 0, 0, 0, 0, Spacing::kNone},
    {53, "5x8 Card", kLandscape, 8000, 5000, 1, 1, 11000, 8500, kPaperLetter, 3000, 1750, 1, 0, 0, 0, 0, Spacing::kNone},
    {54, "3x5 Cards, 3 per page  (Avery 5388)", kPortrait, 5000, 3000, 1, 3, 8500, 11000, kPaperLetter, 1750, 1000, 1, 0, 0, 0, 0, Spacing::kVertical},
    {55, "3x5 Cards, 4 per page", kLandscape, 5000, 3000, 2, 2, 11000, 8500, kPaperLetter, 500, 1250, 1, 1, 0, 0, 0, Spacing::kBoth},
    {56, "4x6 Cards, 2 per page  (Avery 5389 or 8386)", kPortrait, 6000, 4000, 1, 2, 8500, 11000, kPaperLetter, 1250, 1250, 1, 0, 0, 0, 500, Spacing::kVertical},
    {57, "5x8 Cards, 2 per page", kPortrait, 8000, 5000, 1, 2, 8500, 11000, kPaperLetter, 250, 500, 1, 1, 0, 0, 0, Spacing::kVertical},
    {58, "Booklet, 2 per page", kLandscape, 4750, 7750, 2, 1, 11000, 8500, kPaperLetter, 375, 375, 0, 0, 0, 750, 0, Spacing::kHorizontal},
    {59, "A4, Full Page", kPortrait, 7000, 10500, 1, 1, 8270, 11690, kPaperA4, 625, 625, 0, 0, 1, 0, 0, Spacing::kNone},
};

}  // namespace

const LayoutSpec* RecipeLayout(int32_t id) {
  return IsRecipeLayout(id) ? &kLayouts[id - kFirstRecipeLayout] : nullptr;
}

std::string RecipeLayoutNames() {
  std::string names;
  for (const LayoutSpec& layout : kLayouts) {
    if (!names.empty()) names += '|';
    names += layout.name;
  }
  return names;
}

bool IsRecipeLayout(int32_t id) { return id >= kFirstRecipeLayout && id <= kLastRecipeLayout; }
bool IsListLayout(int32_t id) { return id == kGroceryListLayout || id == kMealListLayout; }

bool HorizontalSpacingChangeable(const LayoutSpec& layout) {
  return layout.changeable == Spacing::kHorizontal || layout.changeable == Spacing::kBoth;
}

bool VerticalSpacingChangeable(const LayoutSpec& layout) {
  return layout.changeable == Spacing::kVertical || layout.changeable == Spacing::kBoth;
}

}  // namespace tovalia
