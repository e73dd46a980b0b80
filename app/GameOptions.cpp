#include "app/GameOptions.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "app/Application.h"
#include "framework/VelFrameRateOverlay.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelSoundEngine.h"
#include "platform/Platform.h"

namespace {

const char* const kOptionList =
    "--fullscreen, --windowed, --sensitivity X, --invert-y, --volume N, --render-scale auto|1|0.75|0.5, "
    "--frame-skip, --fps, --record FILE, --replay FILE, --help, --version";

// A whole decimal number in the C locale, whatever the player's locale says.
bool ParseNumber(const std::string& text, double& out) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = 0;
  in >> value;
  if (in.fail() || !in.eof() || !std::isfinite(value)) return false;
  out = value;
  return true;
}

bool ParseVolume(const std::string& text, int& out) {
  if (text.empty() || text.size() > 3) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const int value = std::stoi(text);
  if (value > 100) return false;
  out = value;
  return true;
}

bool ParseRenderScale(const std::string& text, std::optional<float>& out) {
  if (text == "auto") {
    out.reset();
    return true;
  }
  double value = 0;
  if (!ParseNumber(text, value) || (value != 1.0 && value != 0.75 && value != 0.5)) return false;
  out = static_cast<float>(value);
  return true;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

bool GameOptions::ParseSensitivity(const std::string& text, float& out) {
  double value = 0;
  if (!ParseNumber(text, value) || value < 0.1 || value > 10.0) return false;
  out = static_cast<float>(value);
  return true;
}

GameOptions::Outcome GameOptions::Parse(const std::vector<std::string>& args, GameOptions& options,
                                        std::string& error) {
  GameOptions parsed;
  bool fullscreenGiven = false;
  bool windowedGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> attached;
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      attached = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    // The option's value: attached with "=", or the next argument.
    auto value = [&](const char* accepted, std::string& out) {
      if (attached) {
        out = *attached;
      } else if (i + 1 < args.size()) {
        out = args[++i];
      } else {
        error = name + " needs " + accepted;
        return false;
      }
      return true;
    };
    auto flag = [&] {
      if (!attached) return true;
      error = name + " takes no value, not " + Quoted(*attached);
      return false;
    };
    std::string text;
    if (name == "--help" || name == "-h") {
      if (!flag()) return Outcome::Error;
      return Outcome::Help;
    } else if (name == "--version") {
      if (!flag()) return Outcome::Error;
      return Outcome::Version;
    } else if (name == "--fullscreen" || name == "--windowed") {
      if (!flag()) return Outcome::Error;
      (name == "--fullscreen" ? fullscreenGiven : windowedGiven) = true;
      if (fullscreenGiven && windowedGiven) {
        error = "--fullscreen and --windowed exclude each other: give one of them";
        return Outcome::Error;
      }
      parsed.display = fullscreenGiven ? Display::Fullscreen : Display::Windowed;
    } else if (name == "--sensitivity") {
      const char* accepted = "a number from 0.1 to 10";
      if (!value(accepted, text)) return Outcome::Error;
      if (!ParseSensitivity(text, parsed.sensitivity)) {
        error = name + " needs " + accepted + ", not " + Quoted(text);
        return Outcome::Error;
      }
    } else if (name == "--invert-y") {
      if (!flag()) return Outcome::Error;
      parsed.invertY = true;
    } else if (name == "--volume") {
      const char* accepted = "a whole number from 0 to 100";
      if (!value(accepted, text)) return Outcome::Error;
      if (!ParseVolume(text, parsed.volume)) {
        error = name + " needs " + accepted + ", not " + Quoted(text);
        return Outcome::Error;
      }
    } else if (name == "--render-scale") {
      const char* accepted = "auto, 1, 0.75 or 0.5";
      if (!value(accepted, text)) return Outcome::Error;
      if (!ParseRenderScale(text, parsed.renderScale)) {
        error = name + " needs " + accepted + ", not " + Quoted(text);
        return Outcome::Error;
      }
    } else if (name == "--frame-skip") {
      if (!flag()) return Outcome::Error;
      parsed.frameSkip = true;
    } else if (name == "--fps") {
      if (!flag()) return Outcome::Error;
      parsed.showFps = true;
    } else if (name == "--record" || name == "--replay") {
      if (!value("a file name", text)) return Outcome::Error;
      if (text.empty()) {
        error = name + " needs a file name, not an empty one";
        return Outcome::Error;
      }
      (name == "--record" ? parsed.recordPath : parsed.replayPath) = text;
      if (!parsed.recordPath.empty() && !parsed.replayPath.empty()) {
        error = "--record and --replay exclude each other: a run is either recorded or replayed";
        return Outcome::Error;
      }
    } else if (name.rfind("-", 0) == 0) {
      error = "unknown option " + Quoted(args[i]) + "; the options are " + kOptionList;
      return Outcome::Error;
    } else {
      error = "unexpected argument " + Quoted(args[i]) + "; the options are " + kOptionList;
      return Outcome::Error;
    }
  }
  options = parsed;
  return Outcome::Run;
}

int GameOptions::FromCommandLine(const std::vector<std::string>& args, GameOptions& options, FILE* out,
                                 FILE* err) {
  std::string error;
  switch (Parse(args, options, error)) {
    case Outcome::Run:
      return -1;
    case Outcome::Help:
      std::fputs(HelpText().c_str(), out);
      return 0;
    case Outcome::Version:
      std::fprintf(out, "%s\n", VersionText().c_str());
      return 0;
    case Outcome::Error:
      break;
  }
  std::fprintf(err, "halvane: %s\n", error.c_str());
  return 2;
}

std::string GameOptions::VersionText() {
  return Application::kWindowTitle;
}

std::string GameOptions::HelpText() {
  return VersionText() +
         "\n"
         "usage: halvane [options]   (every option is optional; without one the game asks about full "
         "screen)\n"
         "  --fullscreen            start full screen without asking   halvane --fullscreen\n"
         "  --windowed              start in a 1280 x 720 window without asking   halvane --windowed\n"
         "  --sensitivity X         turn faster or slower with the mouse and the right stick, 0.1 to 10\n"
         "                          (default 1)   halvane --sensitivity 0.5\n"
         "  --invert-y              look up by moving the mouse or the right stick down   halvane "
         "--invert-y\n"
         "  --volume N              master volume, 0 to 100 (default 100)   halvane --volume 40\n"
         "  --render-scale S        auto, 1, 0.75 or 0.5 of the window's pixels to draw (default auto)\n"
         "                          halvane --render-scale 0.75\n"
         "  --frame-skip            keep the game's pace on a slow machine by drawing fewer frames\n"
         "                          halvane --frame-skip\n"
         "  --fps                   show the frame rate   halvane --fps\n"
         "  --record FILE           record the play-through into FILE   halvane --record run.txt\n"
         "  --replay FILE           play a recorded play-through back   halvane --replay run.txt\n"
         "  --help                  this text\n"
         "  --version               the game's version\n"
         "Keys: mouse to aim, W A S D to walk, space to jump, left button to fire, R to reload,\n"
         "right button to charge, P to pause, Escape to quit. A game pad plays too (see README).\n";
}

void GameOptions::Apply(Application& application) const {
  if (display != Display::Ask) application.SetFullscreenAnswer(display == Display::Fullscreen);
  Sys().SetLook(sensitivity, invertY);
  VelSoundEngine::GetInstance().SetMasterVolume(static_cast<float>(volume) / 100.0f);
  // Automatic unless fixed: a machine that cannot draw the world in time draws it smaller.
  VelRenderScale& scale = VelGraphicsDevice::GetInstance().GetRenderScale();
  if (renderScale) {
    scale.SetFixed(*renderScale);
  } else {
    scale.SetAutomatic();
  }
  application.SetFrameSkip(frameSkip ? FrameSkipMode::WhenBehind : FrameSkipMode::Off);
  VelFrameRateOverlay::GetInstance().SetShowFrameRate(showFps);
}
