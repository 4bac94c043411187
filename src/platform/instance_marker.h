// The single-instance marker: a file in the temporary folder held with an
// exclusive lock for the whole run. A marker whose lock can be taken was
// left by a copy that has ended, and is taken over.
#pragma once

#include <string>

namespace tovalia {

// The system's temporary folder, ending with the separator.
std::string TemporaryFolder();

class InstanceMarker {
 public:
  explicit InstanceMarker(std::string path);
  ~InstanceMarker();  // releases and deletes the marker when held
  InstanceMarker(const InstanceMarker&) = delete;
  InstanceMarker& operator=(const InstanceMarker&) = delete;

  // False when another running copy holds the marker.
  bool Acquire();
  void Release();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

// "Tovalia In Use.dat" in the temporary folder.
std::string DefaultMarkerPath();

}  // namespace tovalia
