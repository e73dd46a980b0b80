#include "app/ReplayWriter.h"

#include <cerrno>
#include <cstring>

ReplayWriter::~ReplayWriter() {
  Close();
}

bool ReplayWriter::Open(const std::string& path, std::string& error) {
  Close();
  // Binary, so a replay written on Windows has the same bytes as one written here.
  file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  std::fprintf(file, "%s\n", ReplayHeader().c_str());
  if (std::fflush(file) != 0) {
    error = std::strerror(errno);
    std::fclose(file);
    file = nullptr;
    return false;
  }
  return true;
}

void ReplayWriter::Frame(const ReplayInput& input) {
  if (!file) return;
  std::string words = ReplayFrameWords(input);
  if (count > 0 && words != pending) WritePending();
  pending = std::move(words);
  ++count;
}

void ReplayWriter::Seed(uint32_t clockMs) {
  if (!file) return;
  WritePending();
  std::fprintf(file, "seed %lu\n", static_cast<unsigned long>(clockMs));
  std::fflush(file);
}

void ReplayWriter::Line(const std::string& text) {
  if (!file) return;
  WritePending();
  std::fprintf(file, "%s\n", text.c_str());
}

void ReplayWriter::Flush() {
  if (!file) return;
  WritePending();
  std::fflush(file);
}

bool ReplayWriter::Close() {
  if (!file) return true;
  WritePending();
  const bool written = !std::ferror(file);
  const bool closed = std::fclose(file) == 0;
  file = nullptr;
  return written && closed;
}

void ReplayWriter::WritePending() {
  if (count > 0) std::fprintf(file, "%ld%s\n", count, pending.c_str());
  count = 0;
}
