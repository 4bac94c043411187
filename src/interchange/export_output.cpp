#include "interchange/export_output.h"

namespace tovalia {

bool StreamSink::Write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out_);
}

FileSink::FileSink(std::string path) : path_(std::move(path)), temporary_(path_ + ".new") {
  file_ = OpenDataFile("o", temporary_);
  opened_ = file_.IsOpen();
}

FileSink::~FileSink() {
  if (opened_) {
    CloseDataFile(file_);
    DeleteDataFile(temporary_);
  }
}

bool FileSink::Write(std::string_view bytes) {
  if (!file_.IsOpen() || failed_) return false;
  failed_ = !WriteRaw(file_, bytes.data(), bytes.size());
  return !failed_;
}

bool FileSink::Commit() {
  if (!file_.IsOpen() || failed_ || !SyncDataFile(file_)) return false;
  CloseDataFile(file_);
  if (!RenameDataFile(temporary_, path_)) return false;
  opened_ = false;
  SyncFolderOf(path_);
  return true;
}

}  // namespace tovalia
