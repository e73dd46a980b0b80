#include "tools/dev/RunScript.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"

namespace {
const std::map<std::string, int> kKeys = {
    {"W", Key::W}, {"A", Key::A},         {"S", Key::S},         {"D", Key::D},        {"SPACE", Key::Space},
    {"R", Key::R}, {"LMB", Key::LButton}, {"RMB", Key::RButton}, {"ESC", Key::Escape}, {"P", Key::P}};

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

// A pad's button or trigger named on a line: held down (a trigger fully pulled).
bool PadButton(const std::string& word, GamepadState& pad) {
  if (word == "PAD_A") {
    pad.a = true;
  } else if (word == "PAD_X") {
    pad.x = true;
  } else if (word == "PAD_START") {
    pad.start = true;
  } else if (word == "PAD_RT") {
    pad.rightTrigger = 1;
  } else if (word == "PAD_LT") {
    pad.leftTrigger = 1;
  } else {
    return false;
  }
  return true;
}

// lx=F, ly=F, rx=F, ry=F: whether the word sets a stick axis; `valid` says
// whether its value is one (-1 to 1).
bool PadAxis(const std::string& word, GamepadState& pad, bool& valid) {
  static const std::map<std::string, float GamepadState::*> kAxes = {{"lx=", &GamepadState::leftX},
                                                                     {"ly=", &GamepadState::leftY},
                                                                     {"rx=", &GamepadState::rightX},
                                                                     {"ry=", &GamepadState::rightY}};
  auto axis = kAxes.find(word.substr(0, 3));
  if (axis == kAxes.end()) return false;
  float value = 0;
  valid = ParseFloats(word.substr(3), &value, 1) && value >= -1.0f && value <= 1.0f;
  if (valid) pad.*(axis->second) = value;
  return true;
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

bool ParseFrames(std::stringstream& words, const std::string& first, RunInstruction& step) {
  if (!ParseInt(first, step.count) || step.count < 0) return false;
  int dx = 0, dy = 0;
  bool offset = false;
  bool validAxis = false;
  std::string word;
  while (words >> word) {
    auto key = kKeys.find(word);
    if (key != kKeys.end()) {
      step.input.keys.push_back(key->second);
    } else if (word.rfind("tap=", 0) == 0) {
      auto tapped = kKeys.find(word.substr(4));
      if (tapped == kKeys.end()) return false;
      step.input.taps.push_back(tapped->second);
    } else if (PadButton(word, step.input.pad)) {
    } else if (PadAxis(word, step.input.pad, validAxis)) {
      if (!validAxis) return false;
    } else if (word == "inactive") {
      step.input.inactive = true;
    } else if (word.rfind("dx=", 0) == 0) {
      if (!ParseInt(word.substr(3), dx)) return false;
      offset = true;
    } else if (word.rfind("dy=", 0) == 0) {
      if (!ParseInt(word.substr(3), dy)) return false;
      offset = true;
    } else if (word.rfind("cursor=", 0) == 0) {
      float v[2];
      if (!ParseFloats(word.substr(7), v, 2)) return false;
      step.input.moveCursor = true;
      step.input.cursorX = static_cast<int>(v[0]);
      step.input.cursorY = static_cast<int>(v[1]);
    } else {
      return false;
    }
  }
  if (offset) {
    step.input.moveCursor = true;
    step.input.cursorX = 640 + dx;
    step.input.cursorY = 360 + dy;
  }
  return true;
}
}  // namespace

bool ParseRunScript(const std::string& text, std::vector<RunInstruction>& out, std::string& error) {
  std::stringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::stringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    RunInstruction step;
    bool ok = false;
    if (first == "set") {
      std::string arg, extra;
      step.isChange = true;
      ok = (words >> arg) && !(words >> extra) && ParseChange(arg, step.change);
    } else {
      ok = ParseFrames(words, first, step);
    }
    if (!ok) {
      error = "script line " + std::to_string(number) + ": cannot read \"" + line + "\"";
      return false;
    }
    out.push_back(step);
  }
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
