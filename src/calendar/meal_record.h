// The 100-byte meal record of Event40.dat, reached through the byte-buffer
// accessors: record i of a buffer starts at i * kMealRecordSize.
#pragma once

#include <cstdint>
#include <string>

#include "db/byte_buffer.h"
#include "db/clock.h"

namespace tovalia {

inline constexpr int32_t kMealRecordSize = 100;
inline constexpr int32_t kMealTextLimit = 81;  // characters after the length byte

enum MealKind : int32_t { kMealNote = 0, kMealRecipe = 1 };
inline constexpr int32_t kMealTicked = 1;  // bit 0 of the flags byte

namespace meal {
inline constexpr int32_t kId = 0;        // i32
inline constexpr int32_t kYear = 4;      // u16
inline constexpr int32_t kMonth = 6;     // u8
inline constexpr int32_t kDay = 7;       // u8
inline constexpr int32_t kKind = 8;      // u8
inline constexpr int32_t kFlags = 9;     // u8
inline constexpr int32_t kRecipeId = 10; // i32
inline constexpr int32_t kText = 14;     // length byte + up to 81 characters
inline constexpr int32_t kReserved = 96; // 4 bytes, zero
}  // namespace meal

int32_t MealId(const ByteBuffer& meals, int32_t index);
LocalDate MealDate(const ByteBuffer& meals, int32_t index);
uint32_t MealDateKey(const ByteBuffer& meals, int32_t index);
int32_t MealKindOf(const ByteBuffer& meals, int32_t index);
bool MealIsTicked(const ByteBuffer& meals, int32_t index);
int32_t MealRecipeId(const ByteBuffer& meals, int32_t index);
// The text as stored, never longer than 81 characters even when the length
// byte of a damaged record claims more.
std::string MealText(const ByteBuffer& meals, int32_t index);

void SetMealDate(ByteBuffer& meals, int32_t index, const LocalDate& date);
void SetMealTicked(ByteBuffer& meals, int32_t index, bool ticked);
// Cut to 81 characters.
void SetMealText(ByteBuffer& meals, int32_t index, const std::string& text);

// Fills a zeroed record at the index: id, date, kind, flags 0, recipe id, text.
void WriteMealRecord(ByteBuffer& meals, int32_t index, int32_t id, const LocalDate& date,
                     int32_t kind, int32_t recipeId, const std::string& text);

}  // namespace tovalia
