#include "framework/VelFileSystem.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {
std::atomic<uint64_t> g_reads{0};
}  // namespace

bool VelFileSystem::ReadWholeFile(const std::string& path, std::vector<unsigned char>* out, uint64_t maxBytes,
                                  std::string* err) {
  out->clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    if (err) *err += "File not found : " + path + "\n";
    return false;
  }
  ++g_reads;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (err) *err += "File open error : " + path + "\n";
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in) {
    if (err) *err += "File read error : " + path + "\n";
    return false;
  }
  if (static_cast<uint64_t>(size) > maxBytes) {
    if (err) *err += "File is larger than " + std::to_string(maxBytes >> 20) + " MB : " + path + "\n";
    return false;
  }
  out->resize(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(out->data()), size)) {
    out->clear();
    if (err) *err += "File read error : " + path + "\n";
    return false;
  }
  return true;
}

VelFileStamp VelFileSystem::Stamp(const std::string& path) {
  VelFileStamp stamp;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return stamp;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return stamp;
  const auto modified = std::filesystem::last_write_time(path, ec);
  if (ec) return stamp;
  stamp.exists = true;
  stamp.size = uint64_t(size);
  stamp.modified = int64_t(modified.time_since_epoch().count());
  return stamp;
}

uint64_t VelFileSystem::ReadCount() {
  return g_reads;
}
