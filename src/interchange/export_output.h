// Where exported bytes go: a file that appears only once it is whole, a
// text in memory (for the clipboard and e-mail), or a stream.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "db/data_file.h"

namespace tovalia {

class ExportSink {
 public:
  virtual ~ExportSink() = default;
  // False once the bytes could not be written.
  virtual bool Write(std::string_view bytes) = 0;
};

class TextSink : public ExportSink {
 public:
  bool Write(std::string_view bytes) override {
    text += bytes;
    return true;
  }
  std::string text;
};

class StreamSink : public ExportSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  bool Write(std::string_view bytes) override;

 private:
  std::ostream& out_;
};

// Writes beside the target and puts the file in its place on Commit, so a
// failed export never leaves half a file, nor spoils the file it was to
// replace. Without Commit the partial file is removed.
class FileSink : public ExportSink {
 public:
  explicit FileSink(std::string path);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool IsOpen() const { return file_.IsOpen(); }
  bool Write(std::string_view bytes) override;
  bool Commit();

 private:
  std::string path_;
  std::string temporary_;
  DataFile file_;
  bool opened_ = false;
  bool failed_ = false;
};

}  // namespace tovalia
