#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "framework/audio/AudioEngine.h"
#include "framework/audio/SoundEffect.h"
#include "framework/audio/SoundEffectInstance.h"
#include "framework/audio/WaveData.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/ScopedEnv.h"
#include "tests/WavTestFiles.h"

using namespace wavtest;

namespace {

// --- WAV decoding ----------------------------------------------------------

class WaveDataTest : public ::testing::Test {
 protected:
  TempDir dir{"halvane-wave"};
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteFile(dir.path / name, bytes);
    return (dir.path / name).string();
  }
};

TEST_F(WaveDataTest, Reads16BitMonoExactly) {
  std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768, 7};
  auto wave = WaveData::Load(Write("mono16.wav", MakeWav16(1, 22050, samples)));
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->channels, 1);
  EXPECT_EQ(wave->sampleRate, 22050);
  EXPECT_EQ(wave->samples, samples);
  EXPECT_EQ(wave->FrameCount(), 6u);
}

TEST_F(WaveDataTest, Converts8BitStereoTo16Bit) {
  // Unsigned 8-bit: 128 is silence, 255 the top, 0 the bottom.
  std::vector<uint8_t> data = {128, 255, 0, 128};
  std::string error;
  auto wave = WaveData::Load(Write("stereo8.wav", MakeWav(1, 2, 11025, 8, data)), &error);
  ASSERT_TRUE(wave) << error;
  EXPECT_EQ(wave->channels, 2);
  EXPECT_EQ(wave->sampleRate, 11025);
  ASSERT_EQ(wave->samples.size(), 4u);
  EXPECT_EQ(wave->samples[0], 0);
  EXPECT_GT(wave->samples[1], 32000);
  EXPECT_EQ(wave->samples[2], -32768);
  EXPECT_EQ(wave->samples[3], 0);
}

TEST_F(WaveDataTest, DurationFromFramesAndRate) {
  auto wave = WaveData::Load(Write("tone.wav", MakeWav16(2, 44100, Tone(2, 44100, 250))));
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->FrameCount(), 11025u);
  EXPECT_EQ(wave->DurationMilliseconds(), 250u);
}

TEST_F(WaveDataTest, DamagedFilesFailCleanly) {
  std::vector<uint8_t> good = MakeWav16(1, 8000, Tone(1, 8000, 100));
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;

  // Cut inside the sample data, inside the data chunk header, inside fmt.
  cases.push_back({"cut-data", {good.begin(), good.end() - 100}});
  cases.push_back({"cut-data-header", {good.begin(), good.begin() + 40}});
  cases.push_back({"cut-fmt", {good.begin(), good.begin() + 24}});
  cases.push_back({"header-only", {good.begin(), good.begin() + 12}});

  // A data chunk claiming four gigabytes.
  std::vector<uint8_t> hugeData = good;
  hugeData[40] = hugeData[41] = hugeData[42] = hugeData[43] = 0xFF;
  cases.push_back({"huge-data-chunk", hugeData});
  // An fmt chunk claiming far more than the file holds.
  std::vector<uint8_t> hugeFmt = good;
  hugeFmt[16] = 0xF0;
  hugeFmt[17] = hugeFmt[18] = 0xFF;
  hugeFmt[19] = 0x7F;
  cases.push_back({"huge-fmt-chunk", hugeFmt});
  // An unknown chunk before data whose size runs past the end.
  std::vector<uint8_t> hugeExtra(good.begin(), good.begin() + 36);
  PutTag(hugeExtra, "LIST");
  PutU32(hugeExtra, 0x7FFFFFF0);
  hugeExtra.insert(hugeExtra.end(), good.begin() + 36, good.end());
  cases.push_back({"huge-extra-chunk", hugeExtra});

  // Not a WAV at all.
  cases.push_back({"empty", {}});
  std::vector<uint8_t> noise;
  uint32_t x = 12345;
  for (int i = 0; i < 4096; ++i) noise.push_back(uint8_t((x = x * 1103515245u + 12345u) >> 24));
  cases.push_back({"noise", noise});
  std::vector<uint8_t> riffNoise = {'R', 'I', 'F', 'F', 0, 16, 0, 0, 'W', 'A', 'V', 'E'};
  riffNoise.insert(riffNoise.end(), noise.begin(), noise.end());
  cases.push_back({"riff-noise", riffNoise});
  std::string text = "this is not a sound file\n";
  cases.push_back({"text", {text.begin(), text.end()}});

  // Well-formed, but formats the game does not take.
  cases.push_back({"float32", MakeWav(3, 1, 8000, 32, std::vector<uint8_t>(400, 0))});
  cases.push_back({"pcm24", MakeWav(1, 1, 8000, 24, std::vector<uint8_t>(300, 0))});
  cases.push_back({"three-channels", MakeWav16(3, 8000, Tone(3, 8000, 50))});
  cases.push_back({"no-samples", MakeWav16(1, 8000, {})});
  cases.push_back({"zero-channels", MakeWav(1, 0, 8000, 16, std::vector<uint8_t>(100, 0))});
  cases.push_back({"zero-rate", MakeWav(1, 1, 0, 16, std::vector<uint8_t>(100, 0))});
  cases.push_back({"rate-too-low", MakeWav16(1, 500, Tone(1, 500, 100))});
  cases.push_back({"rate-too-high", MakeWav16(1, 400000, Tone(1, 400000, 10))});

  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(WaveData::Load(Write(std::string(c.name) + ".wav", c.bytes), &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
  EXPECT_FALSE(WaveData::Load((dir.path / "missing.wav").string()));
  EXPECT_FALSE(WaveData::Load(dir.path.string()));  // a folder
  // The good file was fine all along.
  EXPECT_TRUE(WaveData::Load(Write("good.wav", good)));
}

// --- The toolkit on the headless backend --------------------------------------

class HeadlessAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto platform = std::make_unique<HeadlessPlatform>();
    clock = platform.get();
    InstallPlatform(std::move(platform));
    WriteTone(dir.path / "mono.wav", 1, 8000, 100);
    WriteTone(dir.path / "stereo.wav", 2, 8000, 100);
  }
  void TearDown() override { UninstallPlatform(); }

  HeadlessPlatform* clock = nullptr;
  TempDir dir{"halvane-audio"};
  AudioEngine engine{AudioEngine::Backend::Headless};
  std::string Path(const char* name) { return (dir.path / name).string(); }
};

TEST_F(HeadlessAudioTest, SoundEffectThrowsForUnusableFiles) {
  EXPECT_THROW(SoundEffect(&engine, Path("missing.wav")), std::runtime_error);
  EXPECT_THROW(SoundEffect(nullptr, Path("mono.wav")), std::runtime_error);
  SoundEffect effect(&engine, Path("mono.wav"));
  EXPECT_EQ(effect.GetChannelCount(), 1);
  EXPECT_EQ(effect.GetSampleRate(), 8000);
  EXPECT_EQ(effect.GetSampleDurationMS(), 100u);
}

TEST_F(HeadlessAudioTest, InstancePlaysForItsDurationOnTheClock) {
  SoundEffect effect(&engine, Path("mono.wav"));
  auto instance = effect.CreateInstance();
  EXPECT_FALSE(instance->IsPlaying());
  instance->Play();
  EXPECT_TRUE(instance->IsPlaying());
  clock->AdvanceClock(99);
  EXPECT_TRUE(instance->IsPlaying());
  clock->AdvanceClock(1);
  EXPECT_FALSE(instance->IsPlaying());

  // Play restarts from the beginning.
  instance->Play();
  clock->AdvanceClock(60);
  instance->Play();
  clock->AdvanceClock(60);
  EXPECT_TRUE(instance->IsPlaying());
  instance->Stop();
  EXPECT_FALSE(instance->IsPlaying());
}

TEST_F(HeadlessAudioTest, LoopPlaysUntilStoppedAcrossAClockWrap) {
  clock->SetClock(0xFFFFFFF0u);
  SoundEffect effect(&engine, Path("stereo.wav"));
  auto loop = effect.CreateInstance();
  loop->Play(true);
  clock->AdvanceClock(10000);
  EXPECT_TRUE(loop->IsPlaying());
  loop->Stop();
  EXPECT_FALSE(loop->IsPlaying());

  // A one-shot started just before the wrap still lasts its 100 ms.
  auto once = effect.CreateInstance();
  clock->SetClock(0xFFFFFFF0u);
  once->Play();
  clock->AdvanceClock(50);
  EXPECT_TRUE(once->IsPlaying());
  clock->AdvanceClock(50);
  EXPECT_FALSE(once->IsPlaying());
}

// Output matrix rows are output channels: [0] left, [1] right.
TEST_F(HeadlessAudioTest, PositionedMonoPansAndAttenuates) {
  SoundEffect effect(&engine, Path("mono.wav"));
  auto instance = effect.CreateInstance(SoundEffectInstance::kUse3D);
  AudioListener listener;  // at the origin facing +z, y up: +x is to the right
  AudioEmitter emitter;
  emitter.CurveDistanceScaler = 2;

  emitter.Position = {1, 0, 0};
  instance->Apply3D(listener, emitter);
  std::vector<float> right = instance->GetOutputMatrix();
  ASSERT_EQ(right.size(), 2u);
  EXPECT_GT(right[1], 0.9f);
  EXPECT_LT(right[0], 0.1f);

  emitter.Position = {-1, 0, 0};
  instance->Apply3D(listener, emitter);
  std::vector<float> left = instance->GetOutputMatrix();
  EXPECT_GT(left[0], 0.9f);
  EXPECT_LT(left[1], 0.1f);

  // Ahead: both sides alike.
  emitter.Position = {0, 0, 1};
  instance->Apply3D(listener, emitter);
  std::vector<float> ahead = instance->GetOutputMatrix();
  EXPECT_NEAR(ahead[0], ahead[1], 1e-4f);

  // No attenuation up to the scaler's distance, then scaler / distance.
  emitter.Position = {2, 0, 0};
  instance->Apply3D(listener, emitter);
  float atTwo = instance->GetOutputMatrix()[1];
  emitter.Position = {8, 0, 0};
  instance->Apply3D(listener, emitter);
  float atEight = instance->GetOutputMatrix()[1];
  EXPECT_NEAR(atTwo, right[1], 1e-3f);
  EXPECT_NEAR(atEight / atTwo, 0.25f, 0.01f);

  // A listener turned to face +x has its right side toward -z.
  listener.OrientFront = {1, 0, 0};
  emitter.Position = {0, 0, -1};
  instance->Apply3D(listener, emitter);
  std::vector<float> turned = instance->GetOutputMatrix();
  EXPECT_GT(turned[1], 0.9f);
  EXPECT_LT(turned[0], 0.1f);
}

TEST_F(HeadlessAudioTest, OddListenersAndEmittersGiveFiniteLevels) {
  SoundEffect effect(&engine, Path("mono.wav"));
  auto instance = effect.CreateInstance(SoundEffectInstance::kUse3D);
  AudioListener listener;
  AudioEmitter emitter;
  std::vector<std::pair<AudioListener, AudioEmitter>> cases;
  emitter.Position = listener.Position;  // on the listener
  cases.push_back({listener, emitter});
  AudioListener skewed = listener;
  skewed.OrientFront = {0, 3, 3};  // not unit, not at right angles to top
  emitter.Position = {5, 0, 5};
  cases.push_back({skewed, emitter});
  AudioListener degenerate = listener;
  degenerate.OrientFront = {};
  degenerate.OrientTop = {};
  cases.push_back({degenerate, emitter});
  AudioEmitter noScale = emitter;
  noScale.CurveDistanceScaler = 0;
  cases.push_back({listener, noScale});
  for (const auto& [l, e] : cases) {
    instance->Apply3D(l, e);
    for (float level : instance->GetOutputMatrix()) {
      EXPECT_TRUE(std::isfinite(level));
      EXPECT_GE(level, 0.0f);
      EXPECT_LE(level, 1.0f);
    }
  }
}

TEST_F(HeadlessAudioTest, OnlyMono3DInstancesArePositioned) {
  AudioListener listener;
  AudioEmitter emitter;
  emitter.Position = {1, 0, 0};

  SoundEffect stereo(&engine, Path("stereo.wav"));
  auto stereoInstance = stereo.CreateInstance(SoundEffectInstance::kUse3D);
  std::vector<float> before = stereoInstance->GetOutputMatrix();
  EXPECT_EQ(before, (std::vector<float>{1, 0, 0, 1}));  // left to left, right to right
  stereoInstance->Apply3D(listener, emitter);
  EXPECT_EQ(stereoInstance->GetOutputMatrix(), before);

  SoundEffect mono(&engine, Path("mono.wav"));
  auto flat = mono.CreateInstance();
  flat->Apply3D(listener, emitter);
  EXPECT_EQ(flat->GetOutputMatrix(), (std::vector<float>{1, 1}));
}

TEST(AudioEngineLifetimeTest, EffectsAndInstancesOutliveTheirEngineHarmlessly) {
  InstallPlatform(std::make_unique<HeadlessPlatform>());
  TempDir dir("halvane-lifetime");
  WriteTone(dir.path / "mono.wav", 1, 8000, 100);
  auto engine = std::make_unique<AudioEngine>(AudioEngine::Backend::Headless);
  auto effect = std::make_unique<SoundEffect>(engine.get(), (dir.path / "mono.wav").string());
  auto instance = effect->CreateInstance(SoundEffectInstance::kUse3D);
  instance->Play(true);
  engine.reset();
  EXPECT_FALSE(instance->IsPlaying());
  instance->Play();
  instance->SetVolume(0.5f);
  instance->Apply3D(AudioListener{}, AudioEmitter{});
  instance->Stop();
  EXPECT_FALSE(instance->IsPlaying());
  EXPECT_EQ(effect->CreateInstance(), nullptr);
  instance.reset();
  effect.reset();
  UninstallPlatform();
}

// --- The real FAudio path -----------------------------------------------------

TEST(FAudioEngineTest, WithoutADeviceEverythingIsSilentAndSafe) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  TempDir dir("halvane-nodevice");
  WriteTone(dir.path / "mono.wav", 1, 8000, 100);
  AudioEngine engine(AudioEngine::Backend::Device);
  EXPECT_FALSE(engine.IsAudioDevicePresent());
  EXPECT_TRUE(engine.Update());
  SoundEffect effect(&engine, (dir.path / "mono.wav").string());
  auto instance = effect.CreateInstance(SoundEffectInstance::kUse3D);
  ASSERT_TRUE(instance);
  AudioEmitter emitter;
  emitter.Position = {1, 0, 0};
  instance->Apply3D(AudioListener{}, emitter);
  instance->Play(true);
  EXPECT_FALSE(instance->IsPlaying());
  instance->Stop();
}

// Reads what SDL's disk driver wrote: raw interleaved 32-bit floats, FAudio's
// mix format, in the engine's channel count.
std::vector<float> ReadFloats(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> out(bytes.size() / sizeof(float));
  std::memcpy(out.data(), bytes.data(), out.size() * sizeof(float));
  return out;
}

TEST(FAudioEngineTest, PositionedToneComesOutOfTheRightChannel) {
  TempDir dir("halvane-disk");
  std::string output = (dir.path / "out.raw").string();
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", output);
  // A tone at another rate than the device's, so FAudio resamples.
  WriteTone(dir.path / "tone.wav", 1, 44100, 400);

  int channels = 0;
  int rate = 0;
  {
    AudioEngine engine(AudioEngine::Backend::Device);
    ASSERT_TRUE(engine.IsAudioDevicePresent());
    channels = engine.GetOutputChannels();
    rate = engine.GetOutputSampleRate();
    ASSERT_GE(channels, 2);
    ASSERT_GT(rate, 0);
    SoundEffect effect(&engine, (dir.path / "tone.wav").string());
    auto instance = effect.CreateInstance(SoundEffectInstance::kUse3D);
    AudioListener listener;
    AudioEmitter emitter;
    emitter.Position = {1, 0, 0};
    emitter.CurveDistanceScaler = 2;
    instance->Apply3D(listener, emitter);
    instance->Play();
    EXPECT_TRUE(instance->IsPlaying());
    // Wait on the output itself, however slowly the machine runs: the 0.4 s
    // tone must end within 2 s of written sound. A device that stops writing
    // altogether ends the wait too.
    auto writtenFrames = [&] {
      std::error_code error;
      const uintmax_t bytes = std::filesystem::file_size(output, error);
      return error ? uintmax_t{0} : bytes / (sizeof(float) * uintmax_t(channels));
    };
    const uintmax_t bound = 2 * uintmax_t(rate);
    uintmax_t written = 0;
    int pollsWithoutOutput = 0;
    while (instance->IsPlaying() && written < bound && pollsWithoutOutput < 500) {
      engine.Update();
      std::this_thread::sleep_for(std::chrono::milliseconds(16));
      const uintmax_t now = writtenFrames();
      pollsWithoutOutput = now > written ? 0 : pollsWithoutOutput + 1;
      written = now;
    }
    EXPECT_FALSE(instance->IsPlaying()) << "a one-shot must end by itself; " << written << " frames written";
  }  // closes the device and the file

  std::vector<float> samples = ReadFloats(output);
  size_t frames = samples.size() / size_t(channels);
  ASSERT_GT(frames, 0u);
  double sum[2] = {0, 0};
  float peak[2] = {0, 0};
  for (size_t i = 0; i < frames; ++i) {
    for (int c = 0; c < 2; ++c) {
      float v = samples[i * channels + c];
      ASSERT_TRUE(std::isfinite(v));
      sum[c] += double(v) * v;
      peak[c] = std::max(peak[c], std::fabs(v));
    }
  }
  // A 0.4 s tone of amplitude 0.5 holds 0.5^2 / 2 * 0.4 = 0.05 of squared
  // signal per second of rate; all of it belongs in the right channel, once.
  double rightEnergy = sum[1] / rate;
  double leftEnergy = sum[0] / rate;
  std::printf("disk output: %d ch, %d Hz, %zu frames; peak L %.3f R %.3f; energy L %.5f R %.5f\n", channels,
              rate, frames, peak[0], peak[1], leftEnergy, rightEnergy);
  EXPECT_GT(peak[1], 0.4f);
  EXPECT_LT(peak[1], 0.6f);
  EXPECT_NEAR(rightEnergy, 0.05, 0.01);
  EXPECT_LT(leftEnergy, rightEnergy * 0.05);
}

}  // namespace
