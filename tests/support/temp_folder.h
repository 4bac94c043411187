// A private data folder per test, removed with everything in it afterwards,
// and small helpers for looking at the files the program wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovalia::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Ends with the separator.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool Exists(const std::string& path);

int32_t I32At(const std::vector<uint8_t>& bytes, size_t offset);
int32_t U16At(const std::vector<uint8_t>& bytes, size_t offset);

}  // namespace tovalia::testing
