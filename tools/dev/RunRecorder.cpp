#include "tools/dev/RunRecorder.h"

#include <fstream>
#include <sstream>

#include "platform/headless/HeadlessPlatform.h"

namespace {
const std::pair<const char*, int> kRecordedKeys[] = {{"W", Key::W},         {"A", Key::A},       {"S", Key::S},
                                                     {"D", Key::D},         {"SPACE", Key::Space}, {"R", Key::R},
                                                     {"LMB", Key::LButton}, {"RMB", Key::RButton}, {"ESC", Key::Escape}};
}  // namespace

RunRecorder::~RunRecorder() {
  Close();
}

bool RunRecorder::Open(const std::string& path) {
  Close();
  file = std::fopen(path.c_str(), "w");
  return file != nullptr;
}

void RunRecorder::Change(const RunSceneChange& change) {
  if (!file) return;
  Flush();
  switch (change.what) {
    case RunSceneChange::What::Kill:
      std::fprintf(file, "set kill=%d\n", change.value);
      break;
    case RunSceneChange::What::Hp:
      std::fprintf(file, "set hp=%d\n", change.value);
      break;
    case RunSceneChange::What::Ammo:
      std::fprintf(file, "set ammo=%d\n", change.value);
      break;
    case RunSceneChange::What::Position:
      std::fprintf(file, "set pos=%.9g,%.9g,%.9g\n", change.x, change.y, change.z);
      break;
  }
}

void RunRecorder::Frame(const HeadlessPlatform& platform) {
  if (!file) return;
  std::string words;
  for (const auto& key : kRecordedKeys) {
    if (platform.IsKeyDown(key.second)) words += std::string(" ") + key.first;
  }
  const PlatformPoint cursor = platform.CursorClient();
  words += " cursor=" + std::to_string(cursor.x) + "," + std::to_string(cursor.y);
  if (!platform.IsWindowActive()) words += " inactive";
  if (count > 0 && words != pending) Flush();
  pending = words;
  ++count;
}

void RunRecorder::Flush() {
  if (count > 0) std::fprintf(file, "%ld%s\n", count, pending.c_str());
  count = 0;
}

void RunRecorder::Close() {
  if (!file) return;
  Flush();
  std::fclose(file);
  file = nullptr;
}

ProcessMemory ReadProcessMemory() {
  ProcessMemory memory;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    std::istringstream words(line);
    std::string name;
    long kb = 0;
    words >> name >> kb;
    if (name == "VmRSS:") memory.residentKb = kb;
    if (name == "VmHWM:") memory.peakKb = kb;
  }
  return memory;
}
