// Whole frames of play: a recorded run (by default the autopilot's, written
// with `halvane-dev run --bot --seed S --record bench-run.script`) replayed
// through the real scenes from the title on, frame by frame as the shell runs
// them, with the update and the draw of every game frame timed apart; and the
// construction of the two scenes. Run from the build folder, where Data/ is.
//
//   HALVANE_BENCH_SCRIPT   the recorded run (default bench-run.script)
//   HALVANE_BENCH_CLOCK    the clock at start in ms, as --clock-ms (default 0)
//   HALVANE_BENCH_FRAMES   replay at most this many frames (default all)
//   HALVANE_BENCH_START    title or game, as --start (default title)
//   HALVANE_BENCH_FRAME_LOG  BM_FrameOpenGl also writes one line per frame of
//                          play here: frame, scale, update, draw, present (us)
//   HALVANE_BENCH_REDRAW   F,N: BM_FrameOpenGl also draws and presents frame F
//                          of the run N times more, unchanged (drawing changes
//                          no game state), for a steady figure of one picture's
//                          cost on a noisy machine (redraw_p50_us)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SceneManager.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelImageCache.h"
#include "framework/VelModelCache.h"
#include "framework/VelRayQueryStats.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundManager.h"
#include "framework/VelTexture.h"
#include "framework/gl/VelGlStats.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"
#include "scene/TitleScene.h"
#include "tools/dev/RunScript.h"

namespace {

constexpr uint32_t kFrameMs = 16;

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

// The loader's progress lines would drown the figures.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
  }

 private:
  int saved = -1;
};

double Micros(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

double ProcessCpuMicros() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t at = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
  return values[at];
}

double Max(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

// The input of every frame of the recorded run.
bool LoadRun(std::vector<RunFramePlan>& frames, std::string& error) {
  const std::string path = EnvOr("HALVANE_BENCH_SCRIPT", "bench-run.script");
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path + " (record one with halvane-dev run --record)";
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<RunInstruction> script;
  if (!ParseRunScript(text.str(), script, error)) return false;
  std::vector<RunSceneChange> trailing;
  frames = UnrollRunScript(script, trailing);
  const long limit = std::atol(EnvOr("HALVANE_BENCH_FRAMES", "0").c_str());
  if (limit > 0 && frames.size() > size_t(limit)) frames.resize(size_t(limit));
  return true;
}

// What one replay measured, per frame of play (a frame the game scene ran
// from its start to its end, not the frame a scene was switched on).
struct Replay {
  std::vector<double> updateWall, updateCpu;  // the game scene's Update
  std::vector<double> drawWall, drawCpu;      // SetCamera and Draw, the GPU finished
  std::vector<double> frameWall;              // both
  std::vector<double> presentWall;            // Present, the GPU finished
  std::vector<double> scale;                  // the world's render scale
  std::vector<double> redrawWall;             // HALVANE_BENCH_REDRAW's frame drawn again
  std::vector<uint64_t> rays, rayNs, draws, binds;
  std::vector<size_t> frameNumber;  // in the recorded run
  size_t framesRun = 0;
  int gameScenes = 0;
};

// Replays the recorded run as the shell runs frames: pump, sound, the scene
// manager's switch, the scene's frame, present, the paced clock.
bool RunReplay(bool openGl, bool timeRays, Replay& out, std::string& error) {
  std::vector<RunFramePlan> frames;
  if (!LoadRun(frames, error)) return false;

  auto owned = std::make_unique<HeadlessPlatform>();
  HeadlessPlatform& platform = *owned;
  platform.SetClock(uint32_t(std::atol(EnvOr("HALVANE_BENCH_CLOCK", "0").c_str())));
  platform.EnableRenderWindow(openGl);
  InstallPlatform(std::move(owned));
  VelModelCache::GetInstance().Clear();
  VelImageCache::GetInstance().Clear();

  ApplicationServices services = DefaultApplicationServices();
  services.initSoundEngine = [] {
    VelSoundEngine::GetInstance().UseHeadless(true);
    return VelSoundEngine::GetInstance().Init();
  };
  Application app;
  app.SetServices(services);
  const bool startOnGame = EnvOr("HALVANE_BENCH_START", "title") == "game";
  app.SetFirstScene([startOnGame]() -> std::unique_ptr<Scene> {
    if (startOnGame) return std::make_unique<GameScene>();
    return std::make_unique<TitleScene>();
  });
  QuietStdout quiet;
  if (!app.Initialise(Application::kWidth, Application::kHeight)) {
    error = "start-up failed";
    UninstallPlatform();
    return false;
  }
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  // HALVANE_BENCH_RENDER_SCALE: auto, or a fixed scale (1 by default).
  const std::string renderScale = EnvOr("HALVANE_BENCH_RENDER_SCALE", "1");
  if (renderScale == "auto")
    device.GetRenderScale().SetAutomatic();
  else
    device.GetRenderScale().SetFixed(float(std::atof(renderScale.c_str())));
  app.BeginFrames();
  VelTimeRayQueries(timeRays);
  SceneManager& scenes = SceneManager::GetInstance();
  const Scene* lastGame = nullptr;

  size_t redrawFrame = 0, redraws = 0;
  std::sscanf(EnvOr("HALVANE_BENCH_REDRAW", "0,0").c_str(), "%zu,%zu", &redrawFrame, &redraws);

  size_t frame = 0;
  platform.SetPumpHook([&] {
    if (frame >= frames.size()) {
      platform.ReleaseAllKeys();
      return;
    }
    if (auto* game = dynamic_cast<GameScene*>(scenes.Current())) {
      for (const RunSceneChange& change : frames[frame].changesBefore) ApplyChange(*game, change);
    }
    ApplyFrameInput(frames[frame].input, platform);
  });

  for (; frame < frames.size(); ++frame) {
    Sys().PumpMessages();
    if (!Sys().HasGameWindow()) break;
    if (services.updateSoundEngine) services.updateSoundEngine();
    auto* game = dynamic_cast<GameScene*>(scenes.Current());
    const bool playFrame = game && !scenes.HasPendingChange();
    if (!playFrame) {
      scenes.Update();
    } else {
      if (game != lastGame) {
        lastGame = game;
        ++out.gameScenes;
      }
      out.scale.push_back(device.GetRenderScale().GetScale());
      const VelRayQueryStats raysBefore = VelRayStats();
      const VelGlStats glBefore = VelGlCounters();
      const auto t0 = std::chrono::steady_clock::now();
      const double c0 = ProcessCpuMicros();
      game->Update();
      const auto t1 = std::chrono::steady_clock::now();
      const double c1 = ProcessCpuMicros();
      game->SetCamera();
      game->Draw();
      if (openGl) VelGlFinish();
      const auto t2 = std::chrono::steady_clock::now();
      const double c2 = ProcessCpuMicros();
      out.frameNumber.push_back(frame);
      out.updateWall.push_back(Micros(t1 - t0));
      out.updateCpu.push_back(c1 - c0);
      out.drawWall.push_back(Micros(t2 - t1));
      out.drawCpu.push_back(c2 - c1);
      out.frameWall.push_back(Micros(t2 - t0));
      out.rays.push_back(VelRayStats().queries - raysBefore.queries);
      out.rayNs.push_back(VelRayStats().nanoseconds - raysBefore.nanoseconds);
      out.draws.push_back(VelGlCounters().draws - glBefore.draws);
      out.binds.push_back(VelGlCounters().stateBinds - glBefore.stateBinds);
    }
    // Present's own copy is finished and timed apart, so that the next
    // update does not share the cores with it.
    const auto p0 = std::chrono::steady_clock::now();
    if (services.present) services.present();
    if (openGl && playFrame) {
      VelGlFinish();
      out.presentWall.push_back(Micros(std::chrono::steady_clock::now() - p0));
      for (size_t i = 0; frame == redrawFrame && i < redraws; ++i) {
        device.ClearDrawRecords();
        const auto r0 = std::chrono::steady_clock::now();
        game->SetCamera();
        game->Draw();
        services.present();
        VelGlFinish();
        out.redrawWall.push_back(Micros(std::chrono::steady_clock::now() - r0));
      }
    }
    device.ClearDrawRecords();
    VelSoundEngine::GetInstance().ClearRecord();
    platform.AdvanceClock(kFrameMs);
  }
  out.framesRun = frame;
  VelTimeRayQueries(false);
  device.GetRenderScale().SetFixed(1.0f);
  app.Shutdown();
  scenes.Reset();
  VelSoundManager::GetInstance().ClearCaches();
  UninstallPlatform();
  return true;
}

void Report(benchmark::State& state, const char* name, const std::vector<double>& values) {
  state.counters[std::string(name) + "_p50_us"] = Percentile(values, 0.50);
  state.counters[std::string(name) + "_p99_us"] = Percentile(values, 0.99);
  state.counters[std::string(name) + "_max_us"] = Max(values);
}

// The world update of every frame of play, headless graphics and sound.
void BM_WorldUpdate(benchmark::State& state) {
  Replay replay;
  std::string error;
  for (auto _ : state) {
    if (!RunReplay(false, false, replay, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  Report(state, "update", replay.updateWall);
  Report(state, "update_cpu", replay.updateCpu);
  state.counters["play_frames"] = double(replay.updateWall.size());
  state.counters["frames"] = double(replay.framesRun);
  state.counters["game_scenes"] = replay.gameScenes;
  state.counters["peak_rss_kb"] = double(PeakResidentKb());
}
BENCHMARK(BM_WorldUpdate)->Iterations(1)->Unit(benchmark::kMillisecond);

// The share of the busiest frame's update spent in ray queries (timed one by
// one, which slows every query by two clock reads).
void BM_WorldUpdateRayShare(benchmark::State& state) {
  Replay replay;
  std::string error;
  for (auto _ : state) {
    if (!RunReplay(false, true, replay, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  if (replay.updateWall.empty()) return;
  // Busiest by CPU time: on a shared machine the wall clock also counts the
  // time other processes had the core.
  const size_t busiest =
      size_t(std::max_element(replay.updateCpu.begin(), replay.updateCpu.end()) - replay.updateCpu.begin());
  state.counters["busiest_frame"] = double(replay.frameNumber[busiest]);
  state.counters["busiest_update_us"] = replay.updateWall[busiest];
  state.counters["busiest_update_cpu_us"] = replay.updateCpu[busiest];
  state.counters["busiest_rays"] = double(replay.rays[busiest]);
  state.counters["busiest_ray_us"] = double(replay.rayNs[busiest]) / 1e3;
  state.counters["busiest_ray_share"] = double(replay.rayNs[busiest]) / 1e3 / replay.updateWall[busiest];
  uint64_t rays = 0, ns = 0;
  double update = 0;
  for (size_t i = 0; i < replay.rays.size(); ++i) {
    rays += replay.rays[i];
    ns += replay.rayNs[i];
    update += replay.updateWall[i];
  }
  state.counters["rays_per_frame"] = double(rays) / double(replay.rays.size());
  state.counters["max_rays_frame"] = double(*std::max_element(replay.rays.begin(), replay.rays.end()));
  state.counters["ray_share_all"] = double(ns) / 1e3 / update;
  state.counters["rays_per_s"] = double(rays) / (double(ns) / 1e9);
}
BENCHMARK(BM_WorldUpdateRayShare)->Iterations(1)->Unit(benchmark::kMillisecond);

// Update and draw of every frame of play on OpenGL at 1280 x 720 in the
// hidden window (llvmpipe where there is no GPU), the GPU finished each frame;
// the world at the render scale HALVANE_BENCH_RENDER_SCALE gives.
void BM_FrameOpenGl(benchmark::State& state) {
  Replay replay;
  std::string error;
  for (auto _ : state) {
    if (!RunReplay(true, false, replay, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  Report(state, "update", replay.updateWall);
  Report(state, "draw", replay.drawWall);
  Report(state, "draw_cpu", replay.drawCpu);
  Report(state, "frame", replay.frameWall);
  Report(state, "present", replay.presentWall);
  state.counters["frames_over_33ms"] = double(
      std::count_if(replay.frameWall.begin(), replay.frameWall.end(), [](double us) { return us > 33000; }));
  state.counters["frames_over_17ms"] = double(
      std::count_if(replay.frameWall.begin(), replay.frameWall.end(), [](double us) { return us > 16667; }));
  double scaleSum = 0;
  for (double scale : replay.scale) scaleSum += scale;
  state.counters["scale_mean"] = replay.scale.empty() ? 0.0 : scaleSum / double(replay.scale.size());
  std::vector<double> draws(replay.draws.begin(), replay.draws.end());
  std::vector<double> binds(replay.binds.begin(), replay.binds.end());
  state.counters["draw_calls_p50"] = Percentile(draws, 0.5);
  state.counters["draw_calls_max"] = Max(draws);
  state.counters["state_binds_p50"] = Percentile(binds, 0.5);
  state.counters["state_binds_max"] = Max(binds);
  state.counters["play_frames"] = double(replay.frameWall.size());
  if (!replay.redrawWall.empty()) state.counters["redraw_p50_us"] = Percentile(replay.redrawWall, 0.5);
  const std::string log = EnvOr("HALVANE_BENCH_FRAME_LOG", "");
  if (!log.empty()) {
    std::ofstream out(log);
    out << "frame scale update_us draw_us present_us\n";
    for (size_t i = 0; i < replay.frameWall.size(); ++i)
      out << replay.frameNumber[i] << ' ' << replay.scale[i] << ' ' << replay.updateWall[i] << ' '
          << replay.drawWall[i] << ' ' << replay.presentWall[i] << '\n';
  }
}
BENCHMARK(BM_FrameOpenGl)->Iterations(1)->Unit(benchmark::kMillisecond);

// The services a scene needs, on the headless device or OpenGL.
class SceneWorld {
 public:
  explicit SceneWorld(bool openGl) {
    auto owned = std::make_unique<HeadlessPlatform>();
    owned->EnableRenderWindow(openGl);
    InstallPlatform(std::move(owned));
    Sys().CreateGameWindow("bench", Application::kWidth, Application::kHeight);
    ApplicationServices services = DefaultApplicationServices();
    std::string error;
    ready = services.initGraphicsDevice(Application::kWidth, Application::kHeight, error);
    services.initShaderManager();
    VelSoundEngine::GetInstance().UseHeadless(true);
    VelSoundEngine::GetInstance().Init();
  }
  ~SceneWorld() {
    VelShaderManager::GetInstance().Release();
    VelGraphicsDevice::GetInstance().Release();
    VelSoundEngine::GetInstance().Release();
    VelSoundEngine::GetInstance().ClearRecord();
    VelSoundManager::GetInstance().ClearCaches();
    Sys().DestroyGameWindow();
    UninstallPlatform();
  }
  bool ready = false;
};

// Cold: the file caches emptied before every construction, as the very first
// scene of a process finds them. Warm: as a retry or a return finds them.
template <class SceneType>
void SceneConstruction(benchmark::State& state) {
  const bool openGl = state.range(0) != 0;
  const bool cold = state.range(1) != 0;
  state.SetLabel(std::string(openGl ? "OpenGL" : "headless") + (cold ? ", cold caches" : ", warm caches"));
  QuietStdout quiet;
  SceneWorld world(openGl);
  if (!world.ready) {
    state.SkipWithError("no graphics device");
    return;
  }
  { SceneType warmUp; }
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      VelModelCache::GetInstance().Clear();
      VelImageCache::GetInstance().Clear();
      VelSoundManager::GetInstance().ClearCaches();
      state.ResumeTiming();
    }
    auto scene = std::make_unique<SceneType>();
    if (openGl) VelGlFinish();
    state.PauseTiming();
    scene.reset();
    state.ResumeTiming();
  }
}

void BM_TitleSceneConstruction(benchmark::State& state) {
  SceneConstruction<TitleScene>(state);
}
void BM_GameSceneConstruction(benchmark::State& state) {
  SceneConstruction<GameScene>(state);
}
BENCHMARK(BM_TitleSceneConstruction)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GameSceneConstruction)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// What a scaled world's way to the screen costs on OpenGL, with nothing
// drawn (range: the scale in percent): its clears, the stretch onto the back
// buffer and Present, each timed apart with the GPU finished.
void BM_WorldStretch(benchmark::State& state) {
  QuietStdout quiet;
  SceneWorld world(true);
  if (!world.ready) {
    state.SkipWithError("no graphics device");
    return;
  }
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.GetRenderScale().SetFixed(float(state.range(0)) / 100.0f);
  std::vector<double> clears, stretches, presents;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    device.BeginWorld();
    device.ClearBackBuffer({0.2f, 0.4f, 0.6f, 1});
    device.ClearDepth();
    VelGlFinish();
    const auto t1 = std::chrono::steady_clock::now();
    device.BeginOverlay();
    VelGlFinish();
    const auto t2 = std::chrono::steady_clock::now();
    device.Present();
    VelGlFinish();
    const auto t3 = std::chrono::steady_clock::now();
    clears.push_back(Micros(t1 - t0));
    stretches.push_back(Micros(t2 - t1));
    presents.push_back(Micros(t3 - t2));
  }
  state.counters["clears_p50_us"] = Percentile(clears, 0.5);
  state.counters["stretch_p50_us"] = Percentile(stretches, 0.5);
  state.counters["present_p50_us"] = Percentile(presents, 0.5);
  device.GetRenderScale().SetFixed(1.0f);
}
BENCHMARK(BM_WorldStretch)->Arg(50)->Arg(75)->Arg(100)->Unit(benchmark::kMicrosecond);

// What spawning a sprite effect costs for its texture on OpenGL: each spawn
// loads its own, uploaded from the decoded image; here the largest sheet of
// the game (ShieldDamage, 1920 x 128).
void BM_EffectTextureLoad(benchmark::State& state) {
  QuietStdout quiet;
  SceneWorld world(true);
  const std::string file = "Data/Effect/ShieldDamage.png";
  VelTexture held;
  if (!world.ready || !held.Load(file)) {
    state.SkipWithError("no graphics device or no Data/");
    return;
  }
  for (auto _ : state) {
    VelTexture spawned;
    spawned.Load(file);
    benchmark::DoNotOptimize(spawned.shaderResourceView.get());
    VelGlFinish();
  }
}
BENCHMARK(BM_EffectTextureLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
