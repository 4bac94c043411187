#include "output/list_printouts.h"

#include <algorithm>
#include <string_view>

#include "layout/line_breaker.h"

namespace tovalia {

namespace {

constexpr int kMostLineCharacters = 400;  // more than any meal's text holds

bool IsBlank(const GroceryPrintLine& line) { return !line.storeHeading && line.text.empty() && line.quantity.empty(); }

// The store headings get an empty line above them.
std::vector<GroceryPrintLine> Spaced(const std::vector<GroceryPrintLine>& lines) {
  std::vector<GroceryPrintLine> spaced;
  spaced.reserve(lines.size() * 5 / 4 + 1);
  for (const GroceryPrintLine& line : lines) {
    if (line.storeHeading && !spaced.empty()) spaced.push_back({});
    spaced.push_back(line);
  }
  return spaced;
}

// A location without a name has the label ":", which says nothing on paper.
bool ShownLabel(const std::string& label) { return !label.empty() && label != ":"; }

struct GroceryColumns {
  int labelX, labelWidth;
  int quantityRight;
  int nameX, nameWidth;
  int costRight;
};

GroceryColumns ColumnsFor(ListPagePrinter& pages, const std::vector<GroceryPrintLine>& lines) {
  const Rect& area = pages.Area();
  int label = 0, quantity = 0, cost = 0;
  for (const GroceryPrintLine& line : lines) {
    if (line.storeHeading) continue;
    if (ShownLabel(line.label)) label = std::max(label, pages.TextWidth(line.label, false));
    quantity = std::max(quantity, pages.TextWidth(line.quantity, false));
    cost = std::max(cost, pages.TextWidth(line.cost, false));
  }
  const int gap = pages.TextWidth("  ", false);
  GroceryColumns c;
  c.labelX = area.x;
  // Long location names give way to the items' names.
  c.labelWidth = std::min(label, area.width / 3);
  c.quantityRight = c.labelX + c.labelWidth + (label > 0 ? gap : 0) + quantity;
  c.nameX = c.quantityRight + gap;
  c.costRight = area.x + area.width;
  c.nameWidth = std::max(0, c.costRight - (cost > 0 ? cost + gap : 0) - c.nameX);
  return c;
}

// A meal's text cut into the lines of its column.
std::vector<std::string> WrappedText(ListPagePrinter& pages, const std::string& text, int width) {
  const TextMeasure measure = [&pages](std::string_view s) { return pages.TextWidth(std::string(s), false); };
  std::vector<std::string> rows;
  for (std::string_view part : BreakIntoLines(text, {kMostLineCharacters, std::max(1, width), &measure})) {
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    rows.emplace_back(part);
  }
  if (rows.empty()) rows.emplace_back();
  return rows;
}

}  // namespace

bool PrintGroceryPages(ListPagePrinter& pages, const GroceryPrintHeading& heading,
                       const std::vector<GroceryPrintLine>& lines) {
  if (lines.empty()) return !pages.Failed() && !pages.Stopped();
  const GroceryColumns c = ColumnsFor(pages, lines);
  std::string location;  // the label in force, shown again at the top of a page
  const std::vector<std::vector<GroceryPrintLine>> paged = GroceryPrintPages(Spaced(lines), pages.LinesPerPage());
  pages.ExpectPages(static_cast<int>(paged.size()));
  for (const std::vector<GroceryPrintLine>& page : paged) {
    if (!pages.StartPage(heading.title, heading.date)) break;
    int row = 0;
    for (const GroceryPrintLine& line : page) {
      if (IsBlank(line)) {
        if (row > 0) ++row;  // a page does not start with an empty line
        continue;
      }
      if (line.storeHeading) {
        pages.DrawAt(c.labelX, row++, pages.Fitted(line.text, pages.Area().width, true), true);
        location.clear();
        continue;
      }
      if (!line.label.empty()) location = line.label;
      const std::string& label = line.label.empty() && row == 0 ? location : line.label;
      if (ShownLabel(label)) pages.DrawAt(c.labelX, row, pages.Fitted(label, c.labelWidth, false), false);
      pages.DrawEndingAt(c.quantityRight, row, line.quantity, false);
      pages.DrawAt(c.nameX, row, pages.Fitted(line.text, c.nameWidth, false), false);
      pages.DrawEndingAt(c.costRight, row, line.cost, false);
      ++row;
    }
  }
  pages.Finish();
  return !pages.Failed() && !pages.Stopped();
}

bool PrintMealPages(ListPagePrinter& pages, const std::vector<MealPrintLine>& lines) {
  if (lines.empty()) return !pages.Failed() && !pages.Stopped();
  const Rect& area = pages.Area();
  int dayWidth = pages.TextWidth(kDayColumnSample, false);
  int dateWidth = pages.TextWidth(kDateColumnSample, false);
  // A face in which a real name or date is wider than the sample still
  // keeps the columns apart.
  const int blank = pages.TextWidth(" ", false);
  for (const MealPrintLine& line : lines) {
    dayWidth = std::max(dayWidth, pages.TextWidth(line.dayName, false) + blank);
    dateWidth = std::max(dateWidth, pages.TextWidth(line.date, false));
  }
  const int textX = area.x + dayWidth + dateWidth;
  const int textWidth = area.x + area.width - textX;
  const int perPage = pages.LinesPerPage();

  // Each meal's rows, then the pages they fill: a meal stays on one page
  // (one longer than a page is cut short with an ellipsis).
  std::vector<std::vector<std::string>> rows;
  rows.reserve(lines.size());
  for (const MealPrintLine& line : lines) {
    std::vector<std::string> text = WrappedText(pages, line.text, textWidth);
    if (static_cast<int>(text.size()) > perPage) {
      text.resize(static_cast<size_t>(perPage));
      text.back() = pages.Fitted(text.back() + "\x85", textWidth, false);
    }
    rows.push_back(std::move(text));
  }
  std::vector<size_t> starts;  // the first meal of each page
  for (size_t first = 0; first < lines.size();) {
    starts.push_back(first);
    int used = 0;
    while (first < lines.size() && used + static_cast<int>(rows[first].size()) <= perPage)
      used += static_cast<int>(rows[first++].size());
  }
  starts.push_back(lines.size());
  pages.ExpectPages(static_cast<int>(starts.size()) - 1);
  for (size_t p = 0; p + 1 < starts.size(); ++p) {
    if (!pages.StartPage(kMealListHeading, MealPrintSpan(lines, starts[p], starts[p + 1]))) break;
    int row = 0;
    for (size_t i = starts[p]; i < starts[p + 1]; ++i) {
      pages.DrawAt(area.x, row, lines[i].dayName, false);
      pages.DrawAt(area.x + dayWidth, row, lines[i].date, false);
      for (const std::string& part : rows[i]) pages.DrawAt(textX, row++, part, false);
    }
  }
  pages.Finish();
  return !pages.Failed() && !pages.Stopped();
}

}  // namespace tovalia
