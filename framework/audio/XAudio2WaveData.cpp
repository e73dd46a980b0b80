// WAV loading on Windows, where SDL's decoder is not available: the file is
// read whole and handed to the RIFF reader.

#include <windows.h>

#include <cstdio>
#include <vector>

#include "framework/audio/RiffWave.h"
#include "framework/audio/WaveData.h"

namespace {

// Sound files are small; anything this large is not one of them.
constexpr long long kMaxFileBytes = 256ll * 1024 * 1024;

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(size_t(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
  return wide;
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes, std::string* error) {
  const std::wstring wide = Widen(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (error) *error = "cannot open " + path;
    return false;
  }
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFileBytes;
  if (ok) {
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) &&
                           read == DWORD(bytes.size()));
  }
  CloseHandle(file);
  if (!ok && error) *error = "cannot read " + path;
  return ok;
}

}  // namespace

std::shared_ptr<const WaveData> WaveData::Load(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, bytes, error)) return nullptr;
  auto wave = std::make_shared<WaveData>();
  if (!DecodeRiffWave(bytes.data(), bytes.size(), *wave, error)) return nullptr;
  return wave;
}
