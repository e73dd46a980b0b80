#pragma once

// The game's command line. Every option is optional: with none the game
// starts as it always has (it asks the full-screen question, and so on).
// There is no configuration file; nothing is saved. The entry points parse it
// before any window opens.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

class Application;

class GameOptions {
 public:
  enum class Display { Ask, Fullscreen, Windowed };

  Display display = Display::Ask;    // --fullscreen / --windowed answer the question ahead
  float sensitivity = 1.0f;          // --sensitivity X, 0.1 to 10: mouse and right-stick look
  bool invertY = false;              // --invert-y: vertical look the other way
  int volume = 100;                  // --volume N, 0 to 100: the sound engine's master volume
  std::optional<float> renderScale;  // --render-scale: empty for auto, else 1, 0.75 or 0.5
  bool frameSkip = false;            // --frame-skip
  bool showFps = false;              // --fps: the frame-rate overlay
  std::string recordPath;            // --record FILE
  std::string replayPath;            // --replay FILE (not with --record)

  // What the command line asks for.
  enum class Outcome { Run, Help, Version, Error };
  // Reads the arguments after the program's name, from left to right; --help
  // and --version answer as soon as they are reached. "--name value" and
  // "--name=value" both work. On Error, `error` is one line that names the
  // option and what it accepts.
  static Outcome Parse(const std::vector<std::string>& args, GameOptions& options, std::string& error);
  // For both entry points: parses, prints the help or the version to `out`
  // (status 0) or the error to `err` (status 2). Returns the exit status, or
  // -1 when the game is to run with `options`.
  static int FromCommandLine(const std::vector<std::string>& args, GameOptions& options, FILE* out,
                             FILE* err);

  static std::string HelpText();
  static std::string VersionText();
  // The value forms shared with the developers' tool; false for anything else.
  static bool ParseSensitivity(const std::string& text, float& out);

  // Hands the options the platform, the sound engine, the graphics device and
  // the application act on to them: the display answer, the look, the volume,
  // the render scale, the frame skip and the frame-rate overlay.
  void Apply(Application& application) const;
};
