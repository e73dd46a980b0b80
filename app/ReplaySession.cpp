#include "app/ReplaySession.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <utility>

#include "app/Application.h"
#include "app/RecordingPlatform.h"
#include "app/ReplayPlatform.h"
#include "app/SceneManager.h"

namespace {
constexpr int kRefused = 2;

void Complain(const std::string& text) {
  std::fprintf(stderr, "halvane: %s\n", text.c_str());
}
}  // namespace

bool ReplaySession::Start(const std::string& recordPath, const std::string& replayPath, bool fullscreen) {
  if (!recordPath.empty()) {
    path = recordPath;
    auto writer = std::make_unique<ReplayWriter>();
    std::string error;
    if (!writer->Open(recordPath, error)) {
      Complain("cannot write " + recordPath + ": " + error);
      return false;
    }
    auto platform = std::make_unique<RecordingPlatform>(UninstallPlatform(), std::move(writer));
    recording = platform.get();
    InstallPlatform(std::move(platform));
    return true;
  }
  if (replayPath.empty()) return true;
  path = replayPath;
  std::ifstream in(replayPath, std::ios::binary);
  if (!in) {
    Complain("cannot read " + replayPath + ": " + std::strerror(errno));
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  ReplayReadRules rules;
  rules.headerRequired = true;
  ReplayScript script;
  ReplayReadError error;
  if (!ReadReplay(text.str(), rules, script, error)) {
    Complain(replayPath + ": line " + std::to_string(error.line) + ": " + error.message);
    return false;
  }
  if (!script.warning.empty()) Complain(replayPath + ": " + script.warning);
  auto platform = std::make_unique<ReplayPlatform>(UninstallPlatform(), std::move(script), fullscreen);
  replay = platform.get();
  InstallPlatform(std::move(platform));
  return true;
}

void ReplaySession::Attach(Application& app) {
  if (!replay) return;
  app.SetFrameHook([this] { tally.Observe(SceneManager::GetInstance().Current()); });
}

int ReplaySession::Finish(uint64_t framesRun) {
  if (recording && !recording->Writer().Close()) {
    Complain("could not write all of " + path);
    return 1;
  }
  if (!replay) return 0;
  if (replay->Failed()) {
    Complain(path + ": line " + std::to_string(replay->Failure().line) + ": " + replay->Failure().message);
    return kRefused;
  }
  if (replay->Ended()) std::printf("%s\n", tally.SummaryLine(framesRun).c_str());
  return 0;
}
