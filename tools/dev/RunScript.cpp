#include "tools/dev/RunScript.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"

namespace {
bool ParseInt(const std::string& text, int& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0') return false;
  out = static_cast<int>(value);
  return true;
}

bool ParseFloats(const std::string& text, float* out, int count) {
  std::stringstream in(text);
  std::string part;
  int n = 0;
  while (std::getline(in, part, ',')) {
    if (n == count || part.empty()) return false;
    char* end = nullptr;
    out[n++] = std::strtof(part.c_str(), &end);
    if (*end != '\0') return false;
  }
  return n == count;
}

bool ParseChange(const std::string& arg, RunSceneChange& change) {
  size_t eq = arg.find('=');
  if (eq == std::string::npos) return false;
  std::string name = arg.substr(0, eq);
  std::string value = arg.substr(eq + 1);
  if (name == "kill") {
    change.what = RunSceneChange::What::Kill;
    return ParseInt(value, change.value);
  }
  if (name == "hp") {
    change.what = RunSceneChange::What::Hp;
    return ParseInt(value, change.value);
  }
  if (name == "ammo") {
    change.what = RunSceneChange::What::Ammo;
    return ParseInt(value, change.value);
  }
  if (name == "pos") {
    change.what = RunSceneChange::What::Position;
    float v[3];
    if (!ParseFloats(value, v, 3)) return false;
    change.x = v[0];
    change.y = v[1];
    change.z = v[2];
    return true;
  }
  return false;
}
}  // namespace

bool ParseSceneChange(const std::string& line, RunSceneChange& change) {
  std::stringstream words(line);
  std::string first, arg, extra;
  return (words >> first) && first == "set" && (words >> arg) && !(words >> extra) &&
         ParseChange(arg, change);
}

std::string SceneChangeLine(const RunSceneChange& change) {
  char line[128];
  switch (change.what) {
    case RunSceneChange::What::Kill:
      std::snprintf(line, sizeof line, "set kill=%d", change.value);
      break;
    case RunSceneChange::What::Hp:
      std::snprintf(line, sizeof line, "set hp=%d", change.value);
      break;
    case RunSceneChange::What::Ammo:
      std::snprintf(line, sizeof line, "set ammo=%d", change.value);
      break;
    case RunSceneChange::What::Position:
      std::snprintf(line, sizeof line, "set pos=%.9g,%.9g,%.9g", change.x, change.y, change.z);
      break;
  }
  return line;
}

ReplayReadRules RunScriptRules() {
  ReplayReadRules rules;
  rules.extraLine = [](const std::string& line) {
    RunSceneChange change;
    return ParseSceneChange(line, change);
  };
  return rules;
}

std::vector<RunInstruction> RunInstructions(const ReplayScript& script) {
  std::vector<RunInstruction> out;
  for (const ReplayLine& line : script.lines) {
    RunInstruction step;
    if (line.kind == ReplayLine::Kind::Seed) continue;
    if (line.kind == ReplayLine::Kind::Extra) {
      step.isChange = true;
      ParseSceneChange(line.text, step.change);
    } else {
      step.count = static_cast<int>(line.count);
      step.input = line.input;
    }
    out.push_back(step);
  }
  return out;
}

bool ParseRunScript(const std::string& text, std::vector<RunInstruction>& out, std::string& error) {
  ReplayScript script;
  ReplayReadError failure;
  if (!ReadReplay(text, RunScriptRules(), script, failure)) {
    error = "script line " + std::to_string(failure.line) + ": " + failure.message;
    return false;
  }
  out = RunInstructions(script);
  return true;
}

void ApplyFrameInput(const RunFrameInput& input, HeadlessPlatform& platform) {
  platform.ReleaseAllKeys();
  for (int key : input.keys) platform.SetKeyDown(key, true);
  for (int key : input.taps) platform.TapKey(key);
  platform.SetPad(input.pad);
  // Read from the line, not polled: a paused game reads no key as down.
  auto escape = [](const std::vector<int>& keys) {
    return std::find(keys.begin(), keys.end(), Key::Escape) != keys.end();
  };
  if (escape(input.keys) || escape(input.taps)) platform.RequestClose();
  if (input.moveCursor) platform.SetCursorClient({input.cursorX, input.cursorY});
  platform.SetActive(!input.inactive);
}

void ApplyChange(GameScene& game, const RunSceneChange& change) {
  switch (change.what) {
    case RunSceneChange::What::Kill:
      game.killCount = change.value;
      break;
    case RunSceneChange::What::Position:
      game.player->position = {change.x, change.y, change.z};
      break;
    case RunSceneChange::What::Hp:
      game.player->SetHP(change.value);
      break;
    case RunSceneChange::What::Ammo:
      game.player->SetMagazine(game.player->GetMagazineCapacity(), change.value);
      break;
  }
}

std::vector<RunFramePlan> UnrollRunScript(const std::vector<RunInstruction>& script,
                                          std::vector<RunSceneChange>& trailing) {
  std::vector<RunFramePlan> frames;
  std::vector<RunSceneChange> pending;
  for (const RunInstruction& step : script) {
    if (step.isChange) {
      pending.push_back(step.change);
      continue;
    }
    for (int i = 0; i < step.count; ++i) {
      RunFramePlan frame;
      frame.input = step.input;
      frame.changesBefore.swap(pending);
      frames.push_back(std::move(frame));
    }
  }
  trailing = pending;
  return frames;
}
