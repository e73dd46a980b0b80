#pragma once

// The one way the framework reads asset files: whole files into memory, each
// read counted (so tests can tell that a cache saved one), and the stamp the
// caches use to notice that a file changed or went away.

#include <cstdint>
#include <string>
#include <vector>

// What identifies a file's contents without reading them.
struct VelFileStamp {
  bool exists = false;
  uint64_t size = 0;
  int64_t modified = 0;

  bool operator==(const VelFileStamp& o) const {
    return exists == o.exists && size == o.size && modified == o.modified;
  }
  bool operator!=(const VelFileStamp& o) const { return !(*this == o); }
};

class VelFileSystem {
 public:
  // Reads a regular file of at most maxBytes; on failure appends the reason
  // (one line) to err when given and returns false.
  static bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* out, uint64_t maxBytes,
                            std::string* err = nullptr);
  // A missing or unreadable path gives a stamp with exists false.
  static VelFileStamp Stamp(const std::string& path);
  // Files opened for reading by ReadWholeFile since the process started.
  static uint64_t ReadCount();
};
