#include "calendar/meal_record.h"

#include <algorithm>

#include "calendar/meal_dates.h"

namespace tovalia {

namespace {
int32_t At(int32_t index, int32_t field) { return index * kMealRecordSize + field; }
}  // namespace

int32_t MealId(const ByteBuffer& meals, int32_t index) { return GetI32(meals, At(index, meal::kId)); }

LocalDate MealDate(const ByteBuffer& meals, int32_t index) {
  return {GetU16(meals, At(index, meal::kYear)), GetU8(meals, At(index, meal::kMonth)),
          GetU8(meals, At(index, meal::kDay))};
}

uint32_t MealDateKey(const ByteBuffer& meals, int32_t index) { return DateKey(MealDate(meals, index)); }

int32_t MealKindOf(const ByteBuffer& meals, int32_t index) { return GetU8(meals, At(index, meal::kKind)); }

bool MealIsTicked(const ByteBuffer& meals, int32_t index) {
  return (GetU8(meals, At(index, meal::kFlags)) & kMealTicked) != 0;
}

int32_t MealRecipeId(const ByteBuffer& meals, int32_t index) {
  return GetI32(meals, At(index, meal::kRecipeId));
}

std::string MealText(const ByteBuffer& meals, int32_t index) {
  const int32_t length = std::min(GetU8(meals, At(index, meal::kText)), kMealTextLimit);
  return GetBytes(meals, At(index, meal::kText) + 1, length);
}

void SetMealDate(ByteBuffer& meals, int32_t index, const LocalDate& date) {
  SetU16(meals, At(index, meal::kYear), date.year);
  SetU8(meals, At(index, meal::kMonth), date.month);
  SetU8(meals, At(index, meal::kDay), date.day);
}

void SetMealTicked(ByteBuffer& meals, int32_t index, bool ticked) {
  const int32_t flags = GetU8(meals, At(index, meal::kFlags));
  SetU8(meals, At(index, meal::kFlags), ticked ? (flags | kMealTicked) : (flags & ~kMealTicked));
}

void SetMealText(ByteBuffer& meals, int32_t index, const std::string& text) {
  const std::string kept = text.substr(0, kMealTextLimit);
  FillBytes(meals, At(index, meal::kText), 1 + kMealTextLimit, 0);
  PutShortText(meals, At(index, meal::kText), kept);
}

void WriteMealRecord(ByteBuffer& meals, int32_t index, int32_t id, const LocalDate& date,
                     int32_t kind, int32_t recipeId, const std::string& text) {
  FillBytes(meals, At(index, 0), kMealRecordSize, 0);
  SetI32(meals, At(index, meal::kId), id);
  SetMealDate(meals, index, date);
  SetU8(meals, At(index, meal::kKind), kind);
  SetI32(meals, At(index, meal::kRecipeId), recipeId);
  SetMealText(meals, index, text);
}

}  // namespace tovalia
