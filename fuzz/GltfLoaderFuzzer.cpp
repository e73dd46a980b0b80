// Feeds arbitrary bytes to VelLoadGLTFModel as a .glb file (when they start
// with the binary magic) or a .gltf file. The file sits in a folder with one
// external buffer beside it and one above it, so external lookups and their
// refusals are exercised too.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/VelLoadGLTFModel.h"

namespace {

std::filesystem::path g_folder;

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The loader reports on standard output; the fuzzer's own output goes to standard error.
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("halvane_gltf_fuzz_" + std::to_string(getpid()));
  g_folder = root / "model";
  std::filesystem::create_directories(g_folder / "sub");
  std::string bytes(48, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
  WriteFile(g_folder / "a.bin", bytes);
  WriteFile(g_folder / "sub" / "b.bin", bytes);
  WriteFile(root / "outside.bin", bytes);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool binary = size >= 4 && std::memcmp(data, "glTF", 4) == 0;
  const std::filesystem::path file = g_folder / (binary ? "input.glb" : "input.gltf");
  WriteFile(file, std::string(reinterpret_cast<const char*>(data), size));
  VelLoadGLTFModel(file.string());
  return 0;
}
