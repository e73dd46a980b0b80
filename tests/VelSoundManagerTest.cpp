#include <gtest/gtest.h>

#include "framework/VelSoundEffect.h"
#include "framework/VelSoundEngine.h"
#include "framework/VelSoundInstance.h"
#include "framework/VelSoundManager.h"
#include "framework/audio/SoundEffectInstance.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/ScopedEnv.h"
#include "tests/WavTestFiles.h"

using namespace wavtest;
using Op = VelSoundEngine::Call::Op;

namespace {

// The manager's caches and the engine are process-wide; every test starts
// from a fresh headless engine and empty caches.
class VelSoundManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto platform = std::make_unique<HeadlessPlatform>();
    clock = platform.get();
    InstallPlatform(std::move(platform));
    WriteTone(dir.path / "shot.wav", 1, 8000, 100);  // 100 ms
    WriteTone(dir.path / "game.wav", 2, 8000, 200);  // stereo music
    WriteTone(dir.path / "hum.wav", 1, 22050, 300);
    engine().UseHeadless(true);
    ASSERT_TRUE(engine().Init());
    // Earlier tests in this process may leave their effects cached.
    manager().ClearCaches();
  }
  void TearDown() override {
    engine().Release();
    manager().ClearCaches();
    engine().ClearRecord();
    engine().UseHeadless(false);
    UninstallPlatform();
  }

  static VelSoundEngine& engine() { return VelSoundEngine::GetInstance(); }
  static VelSoundManager& manager() { return VelSoundManager::GetInstance(); }
  std::string Path(const char* name) const { return (dir.path / name).string(); }
  // One frame of the main loop: the clock moves 16 ms, then the engine updates.
  void Frame() {
    clock->AdvanceClock(16);
    engine().Update();
  }

  HeadlessPlatform* clock = nullptr;
  TempDir dir{"halvane-sound"};
};

TEST_F(VelSoundManagerTest, OneShotsOverlapAndArePrunedWhenFinished) {
  std::string shot = Path("shot.wav");
  manager().Play(shot, 0.3f);
  manager().Play(shot, 0.3f);
  ASSERT_EQ(engine().GetPlaying().size(), 2u);
  for (const auto& [key, instance] : engine().GetPlaying()) {
    EXPECT_TRUE(instance->IsPlaying());
    EXPECT_TRUE(instance->is3D);  // made 3D-capable, yet never positioned
    EXPECT_FLOAT_EQ(instance->instance->GetVolume(), 0.3f);
    EXPECT_EQ(instance->instance->GetOutputMatrix(), (std::vector<float>{1, 1}));
  }
  // One effect serves both.
  EXPECT_EQ(manager().effects.size(), 1u);

  // 100 ms: still there after six frames (96 ms), gone at the seventh.
  for (int i = 0; i < 6; ++i) Frame();
  EXPECT_EQ(engine().GetPlaying().size(), 2u);
  Frame();
  EXPECT_EQ(engine().GetPlaying().size(), 0u);

  const auto& record = engine().GetRecord();
  ASSERT_EQ(record.size(), 2u);
  for (const auto& call : record) {
    EXPECT_EQ(call.op, Op::Play);
    EXPECT_EQ(call.file, shot);
    EXPECT_FLOAT_EQ(call.volume, 0.3f);
    EXPECT_FALSE(call.loop);
    EXPECT_TRUE(call.effective);
    EXPECT_EQ(call.timeMs, 0u);
  }
}

TEST_F(VelSoundManagerTest, PlayLoopWhilePlayingChangesNothingAndRestartsAfterStop) {
  std::string music = Path("game.wav");
  manager().PlayLoop(music, 0.1f);
  auto loop = manager().GetLoopInstance(music);
  ASSERT_TRUE(loop);
  EXPECT_FALSE(loop->is3D);
  EXPECT_TRUE(loop->IsPlaying());
  for (int i = 0; i < 60; ++i) Frame();  // far past its 200 ms: it loops
  EXPECT_TRUE(loop->IsPlaying());
  EXPECT_EQ(engine().GetPlaying().count(loop.get()), 1u);

  manager().PlayLoop(music, 0.5f);
  EXPECT_FLOAT_EQ(loop->instance->GetVolume(), 0.1f);

  manager().StopLoop(music);
  EXPECT_FALSE(loop->IsPlaying());
  Frame();
  EXPECT_EQ(engine().GetPlaying().count(loop.get()), 0u);

  manager().PlayLoop(music, 0.5f);
  EXPECT_EQ(manager().GetLoopInstance(music), loop);  // the same cached instance
  EXPECT_TRUE(loop->IsPlaying());
  EXPECT_FLOAT_EQ(loop->instance->GetVolume(), 0.5f);

  std::vector<std::pair<Op, bool>> seen;
  for (const auto& call : engine().GetRecord()) seen.push_back({call.op, call.effective});
  EXPECT_EQ(seen,
            (std::vector<std::pair<Op, bool>>{
                {Op::PlayLoop, true}, {Op::PlayLoop, false}, {Op::StopLoop, true}, {Op::PlayLoop, true}}));
  EXPECT_FLOAT_EQ(engine().GetRecord()[1].volume, 0.5f);
  EXPECT_TRUE(engine().GetRecord()[3].loop);
}

TEST_F(VelSoundManagerTest, StopLoopOfANeverStartedFileCachesItsInstance) {
  std::string hum = Path("hum.wav");
  manager().StopLoop(hum);
  ASSERT_EQ(manager().loopInstances.count(hum), 1u);
  auto cached = manager().loopInstances[hum];
  ASSERT_TRUE(cached);
  EXPECT_FALSE(cached->IsPlaying());
  manager().PlayLoop(hum, 0.3f);
  EXPECT_EQ(manager().GetLoopInstance(hum), cached);
  EXPECT_TRUE(cached->IsPlaying());
  ASSERT_EQ(engine().GetRecord().size(), 2u);
  EXPECT_EQ(engine().GetRecord()[0].op, Op::StopLoop);
  EXPECT_FALSE(engine().GetRecord()[0].effective);
}

TEST_F(VelSoundManagerTest, NamesAreComparedByteForByte) {
  std::string lower = Path("shot.wav");
  std::string upper = Path("SHOT.wav");
  manager().Play(lower, 0.3f);
  manager().Play(upper, 0.3f);
  ASSERT_EQ(manager().effects.size(), 2u);
  EXPECT_TRUE(manager().effects[lower]->HasWaveData());
  EXPECT_FALSE(manager().effects[upper]->HasWaveData());  // no such file here
  EXPECT_EQ(manager().effects[lower]->GetFileName(), lower);
  manager().PlayLoop(upper, 0.1f);
  manager().PlayLoop(lower, 0.1f);
  EXPECT_EQ(manager().loopInstances.size(), 2u);
  EXPECT_EQ(manager().loopInstances[upper], nullptr);
  EXPECT_NE(manager().loopInstances[lower], nullptr);
  // UTF-8 names work as they stand.
  std::string utf8 = Path("\xE5\x8A\xB9\xE6\x9E\x9C\xE9\x9F\xB3.wav");  // 効果音
  WriteTone(utf8, 1, 8000, 50);
  manager().Play(utf8, 0.3f);
  EXPECT_TRUE(manager().effects[utf8]->HasWaveData());
}

TEST_F(VelSoundManagerTest, AMissingFileIsTriedOnceAndStaysSilent) {
  std::string late = Path("late.wav");
  manager().Play(late, 0.3f);
  manager().Play3D(late, {1, 0, 0}, false);
  manager().PlayLoop(late, 0.3f);
  manager().StopLoop(late);
  EXPECT_EQ(engine().GetPlaying().size(), 0u);
  // The file appearing later changes nothing: the failure is remembered.
  WriteTone(late, 1, 8000, 100);
  manager().Play(late, 0.3f);
  EXPECT_EQ(engine().GetPlaying().size(), 0u);
  EXPECT_FALSE(manager().GetSoundEffect(late)->HasWaveData());
  ASSERT_EQ(engine().GetRecord().size(), 5u);
  for (const auto& call : engine().GetRecord()) EXPECT_FALSE(call.effective);
}

TEST_F(VelSoundManagerTest, Play3DIsPlacedForTheListenerOfTheMoment) {
  // The listener at (10, 0, 0) facing +z: a sound at (11, 0, 0) is to its right.
  manager().SetListener({10, 0, 0}, {0, 0, 1}, {0, 1, 0});
  manager().Play3D(Path("shot.wav"), {11, 0, 0}, false);
  ASSERT_EQ(engine().GetPlaying().size(), 1u);
  auto instance = engine().GetPlaying().begin()->second;
  EXPECT_FLOAT_EQ(instance->emitter.CurveDistanceScaler, 2.0f);
  EXPECT_FLOAT_EQ(instance->instance->GetVolume(), 1.0f);
  EXPECT_EQ(instance->emitter.Position, (float3{11, 0, 0}));
  std::vector<float> levels = instance->instance->GetOutputMatrix();
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_GT(levels[1], 0.9f);
  EXPECT_LT(levels[0], 0.1f);

  // A later listener does not move sounds already playing.
  manager().SetListener({20, 0, 0}, {0, 0, 1}, {0, 1, 0});
  EXPECT_EQ(instance->instance->GetOutputMatrix(), levels);
  // ... but places the next one: now to the left, and 9 units away (2 / 9).
  manager().Play3D(Path("shot.wav"), {11, 0, 0}, true);
  ASSERT_EQ(engine().GetPlaying().size(), 2u);
  for (const auto& [key, other] : engine().GetPlaying()) {
    if (other == instance) continue;
    std::vector<float> far = other->instance->GetOutputMatrix();
    EXPECT_NEAR(far[0], 2.0f / 9.0f, 0.02f);
    EXPECT_LT(far[1], 0.02f);
  }

  // Looping positioned sounds stay until stopped.
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_EQ(engine().GetPlaying().size(), 1u);

  const auto& record = engine().GetRecord();
  ASSERT_EQ(record.size(), 4u);
  EXPECT_EQ(record[0].op, Op::SetListener);
  EXPECT_EQ(record[0].position, (float3{10, 0, 0}));
  EXPECT_EQ(record[0].front, (float3{0, 0, 1}));
  EXPECT_EQ(record[0].top, (float3{0, 1, 0}));
  EXPECT_EQ(record[1].op, Op::Play3D);
  EXPECT_FLOAT_EQ(record[1].volume, 1.0f);
  EXPECT_EQ(record[1].position, (float3{11, 0, 0}));
  EXPECT_FALSE(record[1].loop);
  EXPECT_TRUE(record[3].loop);
  engine().ClearRecord();
  EXPECT_TRUE(engine().GetRecord().empty());
}

TEST_F(VelSoundManagerTest, StereoFilesPlayUnpositioned) {
  manager().Play3D(Path("game.wav"), {5, 0, 0}, false);
  ASSERT_EQ(engine().GetPlaying().size(), 1u);
  auto instance = engine().GetPlaying().begin()->second;
  EXPECT_EQ(instance->instance->GetOutputMatrix(), (std::vector<float>{1, 0, 0, 1}));
}

TEST_F(VelSoundManagerTest, NothingPlaysOrIsCachedWithoutAnEngine) {
  engine().Release();
  std::string shot = Path("shot.wav");
  manager().Play(shot, 0.3f);
  manager().PlayLoop(shot, 0.3f);
  manager().StopLoop(shot);
  engine().Update();
  EXPECT_EQ(engine().GetPlaying().size(), 0u);
  EXPECT_TRUE(manager().effects.empty());
  EXPECT_TRUE(manager().loopInstances.empty());
  // Once the engine is up the same file plays.
  ASSERT_TRUE(engine().Init());
  manager().Play(shot, 0.3f);
  EXPECT_EQ(engine().GetPlaying().size(), 1u);
}

TEST_F(VelSoundManagerTest, InitAgainStartsWithNothingPlayingAndOldInstancesStayHarmless) {
  manager().PlayLoop(Path("game.wav"), 0.1f);
  manager().Play(Path("shot.wav"), 0.3f);
  EXPECT_EQ(engine().GetPlaying().size(), 2u);
  ASSERT_TRUE(engine().Init());
  EXPECT_EQ(engine().GetPlaying().size(), 0u);
  // The cached loop belonged to the old engine: it no longer plays.
  auto stale = manager().GetLoopInstance(Path("game.wav"));
  EXPECT_FALSE(stale->IsPlaying());
  manager().PlayLoop(Path("game.wav"), 0.1f);
  EXPECT_FALSE(stale->IsPlaying());
  Frame();
  EXPECT_EQ(engine().GetPlaying().size(), 0u);
  // Starting afresh with empty caches brings sound back.
  manager().ClearCaches();
  manager().PlayLoop(Path("game.wav"), 0.1f);
  EXPECT_TRUE(manager().GetLoopInstance(Path("game.wav"))->IsPlaying());
}

TEST(VelSoundEngineTest, ListenerDefaultsAndInit) {
  VelSoundEngine& engine = VelSoundEngine::GetInstance();
  engine.Release();
  EXPECT_EQ(engine.GetAudioEngine(), nullptr);
  InstallPlatform(std::make_unique<HeadlessPlatform>());
  engine.UseHeadless(true);
  ASSERT_TRUE(engine.Init());
  EXPECT_NE(engine.GetAudioEngine(), nullptr);
  EXPECT_EQ(engine.GetListener().OrientFront, (float3{0, 0, 1}));
  EXPECT_EQ(engine.GetListener().OrientTop, (float3{0, 1, 0}));
  engine.Release();
  EXPECT_EQ(engine.GetAudioEngine(), nullptr);
  engine.UseHeadless(false);
  UninstallPlatform();
}

TEST(VelSoundEngineTest, WithoutAnAudioDeviceInitSucceedsAndTheGameRunsOn) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  InstallPlatform(std::make_unique<HeadlessPlatform>());
  TempDir dir("halvane-silent");
  WriteTone(dir.path / "shot.wav", 1, 8000, 100);
  std::string shot = (dir.path / "shot.wav").string();

  VelSoundEngine& engine = VelSoundEngine::GetInstance();
  VelSoundManager& manager = VelSoundManager::GetInstance();
  engine.UseHeadless(false);
  ASSERT_TRUE(engine.Init());
  manager.SetListener({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  manager.Play(shot, 0.3f);
  manager.Play3D(shot, {1, 0, 0}, true);
  manager.PlayLoop(shot, 0.1f);
  manager.PlayLoop(shot, 0.1f);
  manager.StopLoop(shot);
  EXPECT_TRUE(manager.GetSoundEffect(shot)->HasWaveData());
  EXPECT_FALSE(manager.GetLoopInstance(shot)->IsPlaying());
  engine.Update();
  EXPECT_TRUE(engine.GetPlaying().empty());
  EXPECT_TRUE(engine.GetRecord().empty());  // only the headless engine records
  engine.Release();
  manager.ClearCaches();
  UninstallPlatform();
}

}  // namespace
