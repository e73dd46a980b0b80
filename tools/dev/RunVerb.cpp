// `halvane-dev run`: the real frame loop on the headless platform, driven by
// an input script, with one JSON trace line per frame.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/GameOptions.h"
#include "app/ReplayPlatform.h"
#include "app/SceneManager.h"
#include "framework/VelCollision.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelSoundEngine.h"
#include "game/enemy/C_EnemyRed.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"
#include "scene/PlayTally.h"
#include "scene/TitleScene.h"
#include "tools/dev/Autopilot.h"
#include "tools/dev/DevVerbs.h"
#include "tools/dev/FlowTrace.h"
#include "tools/dev/RunRecorder.h"
#include "tools/dev/RunScript.h"
#include "tools/dev/RunTrace.h"

namespace {

constexpr int kFrameMs = 16;
constexpr long kBotFrameLimit = 60000;

struct RunOptions {
  std::string start = "title";
  std::string script;
  long frames = -1;  // -1: the script's length
  unsigned long clockMs = 0;
  std::string trace;
  std::string video = "headless";
  std::string captureDir;
  std::set<long> captureAt;
  bool draws = false;
  std::string record;
  std::string memoryLog;
  bool bot = false;
  long botRounds = 1;
  float sensitivity = 1.0f;
  bool invertY = false;
  // 0: automatic. Captures stay reproducible at a fixed 1 unless told.
  float renderScale = 1.0f;
  FrameSkipMode frameSkip = FrameSkipMode::Off;
  bool realTime = false;
};

void Usage() {
  std::fprintf(
      stderr,
      "usage: halvane-dev run [--start game|title] [--script FILE] [--frames N] [--clock-ms T]\n"
      "                       [--trace FILE] [--video headless|offscreen] [--capture DIR --at F1,F2,...]\n"
      "                       [--draws on|off] [--record FILE] [--memory-log FILE] [--bot-rounds N]\n"
      "                       [--sensitivity X] [--invert-y] [--render-scale auto|1|0.75|0.5]\n"
      "                       [--frame-skip off|on|every-other] [--real-time]\n"
      "       halvane-dev run --bot [--seed S] [--frames N] [--trace FILE] [--video ...] [--capture ...]\n"
      "  --bot plays from the title to the clear screen and back (at most N frames, 60000 by default);\n"
      "  --seed S starts the clock at S milliseconds (the same as --clock-ms)\n"
      "  --script plays a script or a replay (a replay brings its seeds and first scene);\n"
      "  --record writes the run as a replay\n"
      "  --frame-skip every-other skips every other draw: the trace must stay the same\n"
      "  --real-time runs on the real clock, paced, from the --clock-ms reading; the summary\n"
      "  then gives updates and drawn frames per second\n");
}

bool ParseNumber(const std::string& text, long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  out = std::strtol(text.c_str(), &end, 10);
  return *end == '\0' && out >= 0;
}

// "auto" gives 0; otherwise a number from 0.5 to 1.
bool ParseRenderScale(const std::string& text, float& out) {
  if (text == "auto") {
    out = 0.0f;
    return true;
  }
  if (text.empty()) return false;
  char* end = nullptr;
  const float scale = std::strtof(text.c_str(), &end);
  if (*end != '\0' || !(scale >= VelRenderScale::kMinScale && scale <= VelRenderScale::kMaxScale))
    return false;
  out = scale;
  return true;
}

bool ParseOptions(const std::vector<std::string>& args, RunOptions& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--bot") {
      options.bot = true;
      continue;
    }
    if (arg == "--invert-y") {
      options.invertY = true;
      continue;
    }
    if (arg == "--real-time") {
      options.realTime = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      std::fprintf(stderr, "run: %s needs a value\n", arg.c_str());
      return false;
    }
    const std::string& value = args[++i];
    long number = 0;
    if (arg == "--start") {
      options.start = value;
      if (value != "game" && value != "title") {
        std::fprintf(stderr, "run: --start is game or title\n");
        return false;
      }
    } else if (arg == "--script") {
      options.script = value;
    } else if (arg == "--frames") {
      if (!ParseNumber(value, options.frames)) return false;
    } else if (arg == "--clock-ms" || arg == "--seed") {
      if (!ParseNumber(value, number)) return false;
      options.clockMs = static_cast<unsigned long>(number);
    } else if (arg == "--sensitivity") {
      if (!GameOptions::ParseSensitivity(value, options.sensitivity)) {
        std::fprintf(stderr, "run: --sensitivity is a number from 0.1 to 10\n");
        return false;
      }
    } else if (arg == "--trace") {
      options.trace = value;
    } else if (arg == "--video") {
      if (value != "headless" && value != "offscreen") {
        std::fprintf(stderr, "run: --video is headless or offscreen\n");
        return false;
      }
      options.video = value;
    } else if (arg == "--capture") {
      options.captureDir = value;
    } else if (arg == "--draws") {
      if (value != "on" && value != "off") {
        std::fprintf(stderr, "run: --draws is on or off\n");
        return false;
      }
      options.draws = value == "on";
    } else if (arg == "--render-scale") {
      if (!ParseRenderScale(value, options.renderScale)) {
        std::fprintf(stderr, "run: --render-scale is auto or a scale from 0.5 to 1\n");
        return false;
      }
    } else if (arg == "--frame-skip") {
      if (value == "off") {
        options.frameSkip = FrameSkipMode::Off;
      } else if (value == "on") {
        options.frameSkip = FrameSkipMode::WhenBehind;
      } else if (value == "every-other") {
        options.frameSkip = FrameSkipMode::EveryOther;
      } else {
        std::fprintf(stderr, "run: --frame-skip is off, on or every-other\n");
        return false;
      }
    } else if (arg == "--bot-rounds") {
      if (!ParseNumber(value, options.botRounds) || options.botRounds < 1) return false;
    } else if (arg == "--record") {
      options.record = value;
    } else if (arg == "--memory-log") {
      options.memoryLog = value;
    } else if (arg == "--at") {
      std::stringstream list(value);
      std::string item;
      while (std::getline(list, item, ',')) {
        if (!ParseNumber(item, number)) return false;
        options.captureAt.insert(number);
      }
    } else {
      std::fprintf(stderr, "run: unknown option %s\n", arg.c_str());
      return false;
    }
  }
  if (options.bot && (!options.script.empty() || options.start != "title")) {
    std::fprintf(stderr, "run: --bot starts on the title and plays without a script\n");
    return false;
  }
  if (!options.captureAt.empty() && options.captureDir.empty()) {
    std::fprintf(stderr, "run: --at needs --capture DIR\n");
    return false;
  }
  if (!options.captureDir.empty() && options.video != "offscreen") {
    std::fprintf(stderr, "run: captures need --video offscreen\n");
    return false;
  }
  // Found missing only at the first captured frame, a long offscreen run would be wasted.
  std::error_code error;
  if (!options.captureDir.empty() && !std::filesystem::create_directories(options.captureDir, error) &&
      error) {
    std::fprintf(stderr, "run: cannot create %s\n", options.captureDir.c_str());
    return false;
  }
  return true;
}

// The shell's services with the sound always recording and never audible; the
// graphics backend follows the platform's window: OpenGL in the hidden
// offscreen window, the headless recorder without one.
ApplicationServices RunServices() {
  ApplicationServices services = DefaultApplicationServices();
  services.initSoundEngine = [] {
    VelSoundEngine::GetInstance().UseHeadless(true);
    return VelSoundEngine::GetInstance().Init();
  };
  return services;
}

const char* OpName(VelSoundEngine::Call::Op op) {
  switch (op) {
    case VelSoundEngine::Call::Op::Play:
      return "Play";
    case VelSoundEngine::Call::Op::Play3D:
      return "Play3D";
    case VelSoundEngine::Call::Op::PlayLoop:
      return "PlayLoop";
    case VelSoundEngine::Call::Op::StopLoop:
      return "StopLoop";
    case VelSoundEngine::Call::Op::SetListener:
      break;
  }
  return "SetListener";
}

// The sound operations since the last frame; the listener is set every frame
// and is left out.
void TraceSounds(JsonLine& line) {
  VelSoundEngine& engine = VelSoundEngine::GetInstance();
  line.BeginArray("sounds");
  for (const VelSoundEngine::Call& call : engine.GetRecord()) {
    if (call.op == VelSoundEngine::Call::Op::SetListener) continue;
    line.BeginObject()
        .Field("op", OpName(call.op))
        .Field("file", call.file)
        .Field("volume", call.volume)
        .Field("pos", call.position)
        .Field("loop", call.loop)
        .Field("effective", call.effective)
        .End();
  }
  line.EndArray();
  engine.ClearRecord();
}

// "draws": the draw calls of the frame on the headless device, "drawn": the
// distinct textures of slot 0 they sampled, by file name.
void TraceDraws(JsonLine& line) {
  const std::vector<VelDrawRecord>& records = VelGraphicsDevice::GetInstance().GetDrawRecords();
  std::set<std::string> names;
  for (const VelDrawRecord& record : records) {
    if (!record.textureNames[0].empty()) names.insert(record.textureNames[0]);
  }
  line.Field("draws", static_cast<int>(records.size()));
  line.BeginArray("drawn");
  for (const std::string& name : names) line.Value(name);
  line.EndArray();
}

// One line "FRAME title|game RESIDENT_KB PEAK_KB" on the first frame of each
// scene, so a long run shows whether memory returns after every play-through.
void LogSceneStart(FILE* log, long frame, const Scene*& last) {
  const Scene* current = SceneManager::GetInstance().Current();
  if (!log || current == last) return;
  last = current;
  const ProcessMemory memory = ReadProcessMemory();
  std::fprintf(log, "%ld %s %ld %ld\n", frame, dynamic_cast<const GameScene*>(current) ? "game" : "title",
               memory.residentKb, memory.peakKb);
  std::fflush(log);
}

void TracePlayer(JsonLine& line, const Player& player) {
  line.Begin("player")
      .Field("pos", player.GetPosition())
      .Field("yaw", player.GetYaw())
      .Field("pitch", player.GetPitch())
      .Field("hp", player.GetHP())
      .Field("maxHp", player.GetMaxHP())
      .Field("alive", player.IsAlive())
      .Field("running", player.running)
      .Field("runCounter", player.runCounter)
      .Field("jumping", player.jumping)
      .Field("landed", player.landed)
      .Field("verticalSpeed", player.verticalSpeed)
      .Field("damageCooldown", player.damageCooldown)
      .Field("ammo", player.GetAmmo())
      .Field("magazineCapacity", player.GetMagazineCapacity())
      .Field("fireCooldown", player.fireCooldown)
      .Field("reloading", player.reloading)
      .Field("reloadCounter", player.GetReloadCounter())
      .Field("charging", player.charging)
      .Field("chargeCooldownActive", player.chargeCooldownActive)
      .Field("chargeCooldown", player.GetChargeCooldown())
      .Field("tint", player.tint)
      .End();
}

void TraceWorld(JsonLine& line, const GameScene& game) {
  line.Begin("camera")
      .Field("eye", game.camera->GetEye())
      .Field("target", game.camera->GetTarget())
      .Field("viewDir", game.camera->GetViewDirection())
      .End();
  line.Begin("doors")
      .Field("door", game.stage->door->world.m[3][1])
      .Field("left", game.stage->bossDoor->leftWorld.m[3][0])
      .Field("right", game.stage->bossDoor->rightWorld.m[3][0])
      .End();
  line.Field("sky", game.sky->angle);
  line.BeginArray("effects");
  for (const auto& effect : game.effects->effects) {
    line.BeginObject().Field("class", effect->ClassName()).Field("pos", effect->position).End();
  }
  line.EndArray();
  line.Field("modelEffects", static_cast<int>(game.effects->modelEffects.size()));
  line.BeginArray("playerShots");
  for (const auto& shot : game.playerShots->shots) {
    line.BeginObject().Field("class", shot->ClassName()).Field("pos", shot->position).End();
  }
  line.EndArray();
  line.BeginArray("flashes");
  for (const auto& flash : game.playerShots->flashes)
    line.BeginObject().Field("class", flash->ClassName()).End();
  line.EndArray();
}

void TraceEnemies(JsonLine& line, const GameScene& game) {
  line.BeginArray("enemies");
  for (const auto& enemy : game.enemies->enemies) {
    const float3 forward = enemy->GetMatrix().Row(2);
    line.BeginObject()
        .Field("kind", enemy->KindName())
        .Field("pos", enemy->GetPosition())
        .Field("yaw", YawFromDirection(forward.x, forward.y, forward.z))
        .Field("hp", enemy->GetHp())
        .Field("maxHp", enemy->GetMaxHp())
        .Field("state", enemy->StateName())
        .Field("tint", enemy->tint);
    if (const auto* red = dynamic_cast<const C_EnemyRed*>(enemy.get())) {
      line.Field("shieldDeployed", red->shieldDeployed);
    }
    line.End();
  }
  line.EndArray();
  line.BeginArray("enemyBullets");
  for (const auto& bullet : game.enemyShots->bullets) {
    line.BeginObject()
        .Field("pos", bullet->GetPosition())
        .Field("drawPos", bullet->GetMatrix().Translation())
        .End();
  }
  line.EndArray();
  line.Field("enemyFlashes", static_cast<int>(game.enemyShots->flashes.size()));
  line.BeginArray("shields");
  for (const auto& shield : game.enemies->shields) {
    line.BeginObject()
        .Field("pos", shield->GetMatrix().Translation())
        .Field("hp", shield->GetHp())
        .Field("opacity", shield->opacity)
        .End();
  }
  line.EndArray();
}

// The autopilot's input for the frame about to run; once it is back on the
// title after the clear screen it closes the window, which ends the run.
RunFrameInput BotInput(Autopilot& bot, HeadlessPlatform& platform, bool lastRound) {
  const SceneManager& manager = SceneManager::GetInstance();
  const PlatformPoint cursor = platform.CursorClient();
  RunFrameInput input = bot.Decide(manager.Current(), manager.HasPendingChange(), cursor.x, cursor.y);
  if (bot.Finished() && lastRound) platform.RequestClose();
  return input;
}

JsonLine BotSummary(const Autopilot& bot, uint64_t frames, int sceneChanges, bool inGame) {
  JsonLine summary;
  summary.Field("cleared", bot.Cleared())
      .Field("kill", bot.LastKill())
      .Field("frames", static_cast<unsigned long long>(frames))
      .Field("hp", bot.LastHp())
      .Field("deaths", bot.Deaths())
      .Field("sceneChanges", sceneChanges)
      .Field("scene", inGame ? "game" : "title");
  return summary;
}

// The same line from what the frames showed, for a run that no autopilot played.
JsonLine TallySummary(const PlayTally& tally, uint64_t frames) {
  JsonLine summary;
  summary.Field("cleared", tally.Cleared())
      .Field("kill", tally.Kill())
      .Field("frames", static_cast<unsigned long long>(frames))
      .Field("hp", tally.Hp())
      .Field("deaths", tally.Deaths())
      .Field("sceneChanges", tally.SceneChanges())
      .Field("scene", tally.InGame() ? "game" : "title");
  return summary;
}

}  // namespace

int RunRunVerb(const DevArgs& args) {
  RunOptions options;
  if (!ParseOptions(args, options)) {
    Usage();
    return 2;
  }

  std::vector<RunInstruction> script;
  // A replay is played by the game's own replay platform, seeds and all.
  ReplayScript replayScript;
  if (!options.script.empty()) {
    std::ifstream in(options.script, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "run: cannot read %s\n", options.script.c_str());
      return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    ReplayReadError error;
    if (!ReadReplay(text.str(), RunScriptRules(), replayScript, error)) {
      std::fprintf(stderr, "run: %s: line %d: %s\n", options.script.c_str(), error.line,
                   error.message.c_str());
      return 1;
    }
    if (!replayScript.warning.empty())
      std::fprintf(stderr, "run: %s: %s\n", options.script.c_str(), replayScript.warning.c_str());
    if (!replayScript.hasHeader) script = RunInstructions(replayScript);
  }
  const bool replaying = replayScript.hasHeader;
  // A replay starts where its recording did: on the game scene if a seed comes before any frame.
  if (replaying) {
    const bool startsOnGame =
        !replayScript.lines.empty() && replayScript.lines[0].kind == ReplayLine::Kind::Seed;
    options.start = startsOnGame ? "game" : "title";
  }
  std::vector<RunSceneChange> trailing;
  std::vector<RunFramePlan> plan = UnrollRunScript(script, trailing);
  long frameCount = options.frames >= 0 ? options.frames : static_cast<long>(plan.size());
  if (options.bot && options.frames < 0) frameCount = kBotFrameLimit;
  // A replay ends with its last frame; --frames may end it sooner.
  const bool runs = replaying ? options.frames != 0 : frameCount > 0;
  if (replaying && options.frames < 0) frameCount = 0;

  FILE* trace = nullptr;
  if (!options.trace.empty()) {
    trace = std::fopen(options.trace.c_str(), "w");
    if (!trace) {
      std::fprintf(stderr, "run: cannot write %s\n", options.trace.c_str());
      return 1;
    }
  }

  RunRecorder recorder;
  std::string recordError;
  if (!options.record.empty() && !recorder.Open(options.record, recordError)) {
    std::fprintf(stderr, "run: cannot write %s: %s\n", options.record.c_str(), recordError.c_str());
    if (trace) std::fclose(trace);
    return 1;
  }
  FILE* memoryLog = nullptr;
  if (!options.memoryLog.empty()) {
    memoryLog = std::fopen(options.memoryLog.c_str(), "w");
    if (!memoryLog) {
      std::fprintf(stderr, "run: cannot write %s\n", options.memoryLog.c_str());
      if (trace) std::fclose(trace);
      return 1;
    }
  }
  const Scene* loggedScene = nullptr;

  auto owned = std::make_unique<HeadlessPlatform>();
  HeadlessPlatform& platform = *owned;
  platform.SetClock(static_cast<uint32_t>(options.clockMs));
  platform.EnableRenderWindow(options.video == "offscreen");
  platform.SetLook(options.sensitivity, options.invertY);
  InstallPlatform(std::move(owned));
  ReplayPlatform* replay = nullptr;
  if (replaying) {
    auto player = std::make_unique<ReplayPlatform>(UninstallPlatform(), std::move(replayScript), false);
    replay = player.get();
    InstallPlatform(std::move(player));
  }
  recorder.Install();

  Application app;
  app.SetServices(RunServices());
  GameScene* firstGame = nullptr;
  app.SetFirstScene([&firstGame, &options]() -> std::unique_ptr<Scene> {
    if (options.start == "title") return std::make_unique<TitleScene>();
    auto game = std::make_unique<GameScene>();
    firstGame = game.get();
    return game;
  });
  // The running game scene, or the first one before it has started.
  auto currentGame = [&firstGame]() -> GameScene* {
    Scene* current = SceneManager::GetInstance().Current();
    if (!current) return firstGame;
    return dynamic_cast<GameScene*>(current);
  };

  if (replay) {
    replay->SetExtraLineHandler([&](const ReplayLine& line) {
      RunSceneChange change;
      GameScene* game = currentGame();
      if (!game || !ParseSceneChange(line.text, change)) return;
      ApplyChange(*game, change);
      recorder.Change(change);
    });
  }

  Autopilot bot;
  PlayTally tally;
  long botRound = 0;
  int sceneChanges = 0;
  const Scene* lastScene = nullptr;
  long frame = -1;
  long drawnFrames = 0;
  platform.SetPumpHook([&]() {
    ++frame;
    // llvmpipe is slow: with captures asked for, only the kept frames are rasterised.
    if (!options.captureAt.empty()) {
      VelGraphicsDevice::GetInstance().SetRasterising(options.captureAt.count(frame) > 0);
    }
    RunFrameInput input;
    if (frame < static_cast<long>(plan.size())) {
      const RunFramePlan& step = plan[frame];
      input = step.input;
      if (GameScene* game = currentGame()) {
        for (const RunSceneChange& change : step.changesBefore) {
          ApplyChange(*game, change);
          recorder.Change(change);
        }
      }
    } else if (frame == static_cast<long>(plan.size())) {
      if (GameScene* game = currentGame()) {
        for (const RunSceneChange& change : trailing) {
          ApplyChange(*game, change);
          recorder.Change(change);
        }
      }
    }
    if (options.bot) {
      // --bot-rounds: back on the title, a fresh autopilot plays again.
      if (bot.Finished()) {
        ++botRound;
        bot = Autopilot();
      }
      input = BotInput(bot, platform, botRound + 1 >= options.botRounds);
    }
    // Escape closes the window here: this pump destroys it and the loop ends
    // before the frame runs.
    ApplyFrameInput(input, platform);
  });

  app.SetFrameHook([&]() {
    drawnFrames += app.LastFrameDrew();
    const Scene* running = SceneManager::GetInstance().Current();
    if (lastScene && running != lastScene) ++sceneChanges;
    lastScene = running;
    tally.Observe(running);
    GameScene* game = currentGame();
    LogSceneStart(memoryLog, frame, loggedScene);
    JsonLine line;
    line.Field("frame", static_cast<int>(frame)).Field("scene", game ? "game" : "title");
    if (game) {
      line.Field("kill", game->killCount);
      TracePlayer(line, *game->player);
      TraceWorld(line, *game);
      TraceEnemies(line, *game);
      TraceItems(line, *game);
      TraceHud(line, *game);
    } else if (auto* title = dynamic_cast<TitleScene*>(SceneManager::GetInstance().Current())) {
      TraceTitle(line, *title);
    }
    TraceSounds(line);
    if (options.draws) TraceDraws(line);
    // The headless device records every draw; a long run keeps only the frame's.
    VelGraphicsDevice::GetInstance().ClearDrawRecords();
    if (trace) std::fprintf(trace, "%s\n", line.Text().c_str());
    if (options.captureAt.count(frame)) {
      char name[32];
      std::snprintf(name, sizeof name, "/frame-%05ld.png", frame);
      if (!VelGraphicsDevice::GetInstance().CaptureBackBuffer(options.captureDir + name)) {
        std::fprintf(stderr, "run: cannot capture frame %ld\n", frame);
      }
    }
  });
  app.SetFrameLimit(static_cast<uint64_t>(frameCount));
  app.SetFrameSkip(options.frameSkip);

  VelRenderScale& renderScale = VelGraphicsDevice::GetInstance().GetRenderScale();
  if (options.renderScale > 0)
    renderScale.SetFixed(options.renderScale);
  else
    renderScale.SetAutomatic();

  uint32_t runMs = 0;
  if (runs) {
    if (!app.Initialise(Application::kWidth, Application::kHeight)) {
      std::fprintf(stderr, "run: start-up failed\n");
      if (trace) std::fclose(trace);
      if (memoryLog) std::fclose(memoryLog);
      UninstallPlatform();
      return 1;
    }
    if (options.realTime) platform.UseRealClock();
    const uint32_t runStart = platform.GetMilliseconds();
    app.BeginFrames();
    while (app.RunFrame()) {
    }
    runMs = platform.GetMilliseconds() - runStart;
  }

  GameScene* game = currentGame();
  JsonLine summary;
  summary.Field("frames", static_cast<unsigned long long>(app.FramesRun()))
      .Field("scene", game ? "game" : "title");
  if (game) {
    summary.Field("kill", game->killCount)
        .Field("hp", game->player->GetHP())
        .Field("pos", game->player->GetPosition());
  }
  summary.Field("cleared", game && game->hud && game->hud->clearScreen->active)
      .Field("dead", game && game->hud && game->hud->deadScreen->active);
  if (options.bot) summary = BotSummary(bot, app.FramesRun(), sceneChanges, game != nullptr);
  // A replay ends as the run it recorded did: with the autopilot's summary line.
  if (replaying) summary = TallySummary(tally, app.FramesRun());
  if (options.realTime && runMs > 0) {
    summary.Field("seconds", float(runMs) / 1000.0f)
        .Field("updatesPerSecond", float(app.FramesRun()) * 1000.0f / float(runMs))
        .Field("drawsPerSecond", float(drawnFrames) * 1000.0f / float(runMs))
        .Field("renderScale", VelGraphicsDevice::GetInstance().GetRenderScale().GetScale());
  }
  // Memory differs from run to run, so only a run that logs it tells it.
  const ProcessMemory memory = ReadProcessMemory();
  if (memoryLog) {
    summary.Field("residentKb", static_cast<int>(memory.residentKb))
        .Field("peakKb", static_cast<int>(memory.peakKb));
  }
  std::printf("%s\n", summary.Text().c_str());
  if (memoryLog) {
    std::fprintf(memoryLog, "%ld end %ld %ld\n", frame, memory.residentKb, memory.peakKb);
    std::fclose(memoryLog);
  }
  recorder.Close();

  const bool outOfStep = replay && replay->Failed();
  if (outOfStep) {
    std::fprintf(stderr, "run: %s: line %d: %s\n", options.script.c_str(), replay->Failure().line,
                 replay->Failure().message.c_str());
  }
  if (runs) app.Shutdown();
  SceneManager::GetInstance().Reset();
  if (trace) std::fclose(trace);
  UninstallPlatform();
  return outOfStep ? 1 : 0;
}
