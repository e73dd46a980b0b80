#include "tools/dev/RunRecorder.h"

#include <fstream>
#include <sstream>

#include "app/RecordingPlatform.h"

bool RunRecorder::Open(const std::string& path, std::string& error) {
  opened = std::make_unique<ReplayWriter>();
  return opened->Open(path, error);
}

void RunRecorder::Install() {
  if (!opened) return;
  auto platform = std::make_unique<RecordingPlatform>(UninstallPlatform(), std::move(opened));
  recording = platform.get();
  InstallPlatform(std::move(platform));
}

void RunRecorder::Change(const RunSceneChange& change) {
  if (recording) recording->Writer().Line(SceneChangeLine(change));
}

void RunRecorder::Close() {
  if (recording) recording->Writer().Close();
  recording = nullptr;
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
