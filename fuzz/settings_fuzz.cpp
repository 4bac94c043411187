// The input is a whole Setup50.dat. Every setting number in use is read as a
// number and as a text, then one setting is stored; whatever the old file
// held, the new one must hand back the stored value and hold it once.
#include <cstdint>
#include <string>
#include <vector>

#include "db/byte_buffer.h"
#include "fuzz_support.h"
#include "state/settings.h"

namespace tovalia {
namespace {

constexpr int32_t kStoredNumber = setting::kWastedBytes;
constexpr int32_t kStoredValue = 7;

// Offsets of the records of that number, walking the whole file; -1 in the
// result marks a record that does not fit, which a stored file never has.
std::vector<int64_t> RecordsNumbered(const std::vector<uint8_t>& file, int32_t number) {
  std::vector<int64_t> found;
  const int64_t length = static_cast<int64_t>(file.size());
  int64_t p = 0;
  while (p < length) {
    if (p + kSettingHeaderSize > length) return {-1};
    const int32_t size = LoadI32(&file[p]);
    if (size < kSettingHeaderSize || p + size > length) return {-1};
    if (LoadI32(&file[p + 4]) == number) found.push_back(p);
    p += size;
  }
  return found;
}

}  // namespace
}  // namespace tovalia

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  fuzz::ClearScratchFolder();
  const std::string path = fuzz::ScratchFolder() + "Setup50.dat";
  fuzz::WriteBytes(path, data, size);

  Settings settings(path);
  for (int32_t number = 0; number <= 13; ++number) {
    GetNumberSetting(settings, number);
    GetTextSetting(settings, number);
  }
  GetNumberSetting(settings, 50);
  GetTextSetting(settings, 50);
  FUZZ_CHECK(GetNumberSetting(settings, 0) == 0);

  FUZZ_CHECK(PutNumberSetting(settings, kStoredNumber, kStoredValue));
  FUZZ_CHECK(GetNumberSetting(settings, kStoredNumber) == kStoredValue);
  const std::vector<uint8_t> stored = fuzz::ReadBytes(path);
  const std::vector<int64_t> records = RecordsNumbered(stored, kStoredNumber);
  FUZZ_CHECK(records.size() == 1);
  FUZZ_CHECK(records[0] >= 0 &&
             records[0] + kSettingHeaderSize + 4 == static_cast<int64_t>(stored.size()));
  return 0;
}
