#include "app/ReplayFile.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>
#include <utility>

#include "app/GameVersion.h"
#include "platform/Platform.h"

namespace {
const char* const kGameName = "Halvane";
const char* const kReplayWord = "replay";

const std::pair<const char*, int> kKeyNames[] = {
    {"W", Key::W}, {"A", Key::A},         {"S", Key::S},         {"D", Key::D},       {"SPACE", Key::Space},
    {"R", Key::R}, {"LMB", Key::LButton}, {"RMB", Key::RButton}, {"ESC", Key::Escape}};

bool ParseInt(const std::string& text, long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtol(text.c_str(), &end, 10);
  return *end == '\0';
}

// "X,Y"; scripts written by hand may give fractions, which are cut to whole pixels.
bool ParsePoint(const std::string& text, int& x, int& y) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos || comma == 0 || comma + 1 == text.size()) return false;
  const std::string first = text.substr(0, comma), second = text.substr(comma + 1);
  char* end = nullptr;
  const float fx = std::strtof(first.c_str(), &end);
  if (*end != '\0') return false;
  const float fy = std::strtof(second.c_str(), &end);
  if (*end != '\0') return false;
  x = static_cast<int>(fx);
  y = static_cast<int>(fy);
  return true;
}

// The key a replay's word names.
bool ReplayKey(const std::string& word, int& key) {
  for (const auto& name : kKeyNames) {
    if (word == name.first) {
      key = name.second;
      return true;
    }
  }
  return false;
}

// The key a script's word names: a replay's keys, and P.
bool ScriptKey(const std::string& word, int& key) {
  if (word != "P") return ReplayKey(word, key);
  key = Key::P;
  return true;
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

// lx=F, ly=F, rx=F, ry=F with F from -1 to 1.
bool PadAxis(const std::string& word, GamepadState& pad) {
  static const std::map<std::string, float GamepadState::*> kAxes = {{"lx=", &GamepadState::leftX},
                                                                     {"ly=", &GamepadState::leftY},
                                                                     {"rx=", &GamepadState::rightX},
                                                                     {"ry=", &GamepadState::rightY}};
  auto axis = kAxes.find(word.substr(0, 3));
  if (axis == kAxes.end() || word.size() == 3) return false;
  char* end = nullptr;
  const float value = std::strtof(word.c_str() + 3, &end);
  if (*end != '\0' || !(value >= -1.0f && value <= 1.0f)) return false;
  pad.*(axis->second) = value;
  return true;
}

// The words only a script has: the devices the headless platform plays.
bool DeviceWord(const std::string& word, ReplayInput& input) {
  int key = 0;
  if (word == "P") {
    input.keys.push_back(Key::P);
  } else if (word.rfind("tap=", 0) == 0) {
    if (!ScriptKey(word.substr(4), key)) return false;
    input.taps.push_back(key);
  } else {
    return PadButton(word, input.pad) || PadAxis(word, input.pad);
  }
  return true;
}

bool ParseFrames(std::istringstream& words, const std::string& first, bool script, ReplayLine& line,
                 std::string& problem) {
  if (!ParseInt(first, line.count) || line.count < 0) {
    problem = "\"" + first + "\" is neither a frame count nor \"seed\"";
    return false;
  }
  long dx = 0, dy = 0;
  bool offset = false;
  std::string word;
  while (words >> word) {
    int key = 0;
    if (ReplayKey(word, key)) {
      line.input.keys.push_back(key);
    } else if (word == "inactive") {
      line.input.inactive = true;
    } else if (word.rfind("dx=", 0) == 0 && ParseInt(word.substr(3), dx)) {
      offset = true;
    } else if (word.rfind("dy=", 0) == 0 && ParseInt(word.substr(3), dy)) {
      offset = true;
    } else if (word.rfind("cursor=", 0) == 0 &&
               ParsePoint(word.substr(7), line.input.cursorX, line.input.cursorY)) {
      line.input.moveCursor = true;
    } else if (!script || !DeviceWord(word, line.input)) {
      problem = "unknown token \"" + word + "\"";
      return false;
    }
  }
  if (offset) {
    line.input.moveCursor = true;
    line.input.cursorX = 640 + static_cast<int>(dx);
    line.input.cursorY = 360 + static_cast<int>(dy);
  }
  return true;
}

bool ParseSeed(std::istringstream& words, ReplayLine& line, std::string& problem) {
  std::string value, extra;
  long long ms = -1;
  if (words >> value) {
    char* end = nullptr;
    ms = std::strtoll(value.c_str(), &end, 10);
    if (*end != '\0' || value[0] == '-' || value[0] == '+') ms = -1;
  }
  if (ms < 0 || ms > 0xFFFFFFFFll || (words >> extra)) {
    problem = "a seed line is \"seed MS\" with the clock in milliseconds";
    return false;
  }
  line.seed = static_cast<uint32_t>(ms);
  return true;
}

// The header's verdict on the first line: whether it is a header, and if it is
// one of another version, what is wrong.
bool IsHeader(const std::string& text, std::string& problem) {
  std::istringstream words(text);
  std::string game, replay, version, extra;
  if (!(words >> game >> replay) || game != kGameName || replay != kReplayWord) return false;
  if (!(words >> version) || (words >> extra)) {
    problem = "the header is \"" + ReplayHeader() + "\"";
  } else if (version != HALVANE_VERSION) {
    problem =
        "a replay of Halvane " + version + "; this is Halvane " HALVANE_VERSION " and plays only its own";
  }
  return true;
}
}  // namespace

std::string ReplayHeader() {
  return std::string(kGameName) + " " + kReplayWord + " " + HALVANE_VERSION;
}

const std::vector<int>& ReplayKeys() {
  static const std::vector<int> keys = [] {
    std::vector<int> codes;
    for (const auto& key : kKeyNames) codes.push_back(key.second);
    return codes;
  }();
  return keys;
}

std::string ReplayFrameWords(const ReplayInput& input) {
  std::string words;
  for (const auto& key : kKeyNames) {
    for (int held : input.keys) {
      if (held == key.second) {
        words += std::string(" ") + key.first;
        break;
      }
    }
  }
  if (input.moveCursor)
    words += " cursor=" + std::to_string(input.cursorX) + "," + std::to_string(input.cursorY);
  if (input.inactive) words += " inactive";
  return words;
}

bool ReadReplay(const std::string& text, const ReplayReadRules& rules, ReplayScript& out,
                ReplayReadError& error) {
  out = ReplayScript();
  // Split by hand: whether the last line has its line break tells a cut-off one.
  std::vector<std::string> lines;
  bool lastBroken = true;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      lastBroken = false;
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    // Replays shared through Windows may come back with CR LF line breaks.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const int number = static_cast<int>(i) + 1;
    std::string problem;
    if (i == 0) {
      if (IsHeader(line, problem)) {
        if (!problem.empty()) {
          error = {number, problem};
          return false;
        }
        out.hasHeader = true;
        continue;
      }
      if (rules.headerRequired) {
        error = {number,
                 std::string("not a Halvane replay (its first line is not \"") + ReplayHeader() + "\")"};
        return false;
      }
    }
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string first;
    ReplayLine parsed;
    parsed.number = number;
    bool ok = true;
    if (!(words >> first)) {
      continue;
    } else if (first == "seed") {
      parsed.kind = ReplayLine::Kind::Seed;
      ok = out.hasHeader ? ParseSeed(words, parsed, problem) : false;
      if (!out.hasHeader)
        problem = "seed lines belong to a replay, which starts with \"" + ReplayHeader() + "\"";
    } else if (rules.extraLine && !first.empty() && !std::isdigit(static_cast<unsigned char>(first[0])) &&
               first[0] != '-') {
      parsed.kind = ReplayLine::Kind::Extra;
      parsed.text = line;
      ok = rules.extraLine(line);
      if (!ok) problem = "cannot read \"" + line + "\"";
    } else {
      ok = ParseFrames(words, first, !out.hasHeader, parsed, problem);
    }
    const bool last = i + 1 == lines.size();
    // A crash leaves at most the last line half written; a replay plays up to it.
    if (out.hasHeader && last && (!ok || !lastBroken)) {
      out.warning = "line " + std::to_string(number) + " is cut off and is left out";
      break;
    }
    if (!ok) {
      error = {number, problem};
      return false;
    }
    out.lines.push_back(std::move(parsed));
  }
  if (rules.headerRequired && !out.hasHeader) {
    error = {1, std::string("not a Halvane replay (it is empty)")};
    return false;
  }
  return true;
}
