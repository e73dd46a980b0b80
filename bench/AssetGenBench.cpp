// Asset generation as the build runs it: the assetgen binary writing a whole
// Data/ tree (or one family of it) into a fresh temporary folder. Wall time is
// what counts, as the work happens in the child process.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kFamilies[] = {"", "models", "sounds", "textures"};

void BM_AssetGeneration(benchmark::State& state) {
  const std::string family = kFamilies[state.range(0)];
  state.SetLabel(family.empty() ? "whole pack" : family);
  const fs::path dir = fs::temp_directory_path() / ("halvane-bench-" + std::to_string(::getpid()));
  const std::string command = std::string("\"") + HALVANE_ASSETGEN + "\" \"" + dir.string() + "\" " + family;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(dir);
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("assetgen failed");
      break;
    }
  }
  std::uintmax_t bytes = 0;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->is_regular_file()) bytes += it->file_size();
  state.counters["MB"] = double(bytes) / (1 << 20);
  fs::remove_all(dir, ec);
}

BENCHMARK(BM_AssetGeneration)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
