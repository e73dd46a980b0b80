#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What each sound must be: its length range in seconds, whether the game loops it, and
// how soon it must be heard after the event that plays it.
struct ExpectedSound {
  const char* file;
  double minSeconds;
  double maxSeconds;
  bool loops;
  double onsetWithin;
};

const ExpectedSound kSounds[] = {
    {"Attachment.wav", 0.4, 1.5, false, 0.03},
    {"Boss.wav", 20.0, 40.0, true, 0.0},
    {"DamageShield.wav", 0.3, 1.2, false, 0.03},
    {"Decision.wav", 0.15, 0.6, false, 0.02},
    {"DeployShield.wav", 0.6, 2.0, false, 0.6},
    {"EnergyCharge.wav", 0.6, 1.2, false, 0.4},
    {"Explosion.wav", 1.2, 3.5, false, 0.03},
    {"FinishReload.wav", 0.2, 0.7, false, 0.03},
    {"Flip.wav", 0.15, 0.6, false, 0.02},
    {"ItemDrop.wav", 0.4, 1.5, false, 0.03},
    {"Jump.wav", 0.15, 0.5, false, 0.1},
    {"Land.wav", 0.15, 0.6, false, 0.02},
    {"Magazine.wav", 0.3, 1.2, false, 0.03},
    {"TitleBGM.wav", 20.0, 40.0, true, 0.0},
    {"blankGun.wav", 0.05, 0.25, false, 0.01},
    {"breakShield.wav", 0.8, 2.5, false, 0.03},
    {"bulletDmg.wav", 0.1, 0.5, false, 0.01},
    {"chargeBullet.wav", 0.5, 2.0, false, 0.02},
    {"clear.wav", 2.0, 6.0, false, 0.1},
    {"collisionDmg.wav", 0.2, 1.0, false, 0.02},
    {"dead.wav", 2.0, 6.0, false, 0.2},
    {"enemyAttack.wav", 0.3, 1.2, false, 0.1},
    {"enemyBullet.wav", 0.2, 0.8, false, 0.02},
    {"enemySpawn.wav", 0.6, 2.0, false, 0.6},
    {"find.wav", 0.2, 0.8, false, 0.02},
    {"game.wav", 20.0, 40.0, true, 0.0},
    {"heal.wav", 0.6, 2.0, false, 0.05},
    {"hitBullet.wav", 0.1, 0.6, false, 0.01},
    {"hitChargeBullet.wav", 0.3, 1.2, false, 0.02},
    {"hitEnemyBullet.wav", 0.1, 0.6, false, 0.02},
    // The door motor runs as long as the door travels (160 frames).
    {"openDoor.wav", 2.4, 3.2, false, 0.05},
    {"playerBullet.wav", 0.2, 0.6, false, 0.01},
    {"powerCharge.wav", 0.5, 1.6, false, 0.5},
    {"reload.wav", 0.5, 1.0, false, 0.03},
    {"stayCharge.wav", 0.5, 4.0, true, 0.0},
    {"stopDoor.wav", 0.4, 1.5, false, 0.02},
    // A footstep must end before the next one when running (18 frames).
    {"walk.wav", 0.1, 0.3, false, 0.02},
    {"warning.wav", 20.0, 40.0, true, 0.0},
};

struct Wav {
  std::string error;  // empty when the file parsed
  uint16_t format = 0, channels = 0, bitsPerSample = 0, blockAlign = 0;
  uint32_t rate = 0, byteRate = 0;
  std::vector<int16_t> samples;
  double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0.0; }
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Walks the RIFF chunks for "fmt " and "data"; other chunks are skipped as a loader would.
Wav ParseWav(const std::vector<uint8_t>& b) {
  Wav wav;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    wav.error = "not RIFF WAVE";
    return wav;
  }
  if (Le(b, 4, 4) + 8 != b.size()) wav.error = "RIFF size does not match the file";
  bool haveFormat = false, haveData = false;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    std::string id(b.begin() + at, b.begin() + at + 4);
    uint32_t size = Le(b, at + 4, 4);
    size_t body = at + 8;
    if (body + size > b.size()) {
      wav.error = "chunk " + id + " runs past the end";
      return wav;
    }
    if (id == "fmt " && size >= 16) {
      wav.format = static_cast<uint16_t>(Le(b, body, 2));
      wav.channels = static_cast<uint16_t>(Le(b, body + 2, 2));
      wav.rate = Le(b, body + 4, 4);
      wav.byteRate = Le(b, body + 8, 4);
      wav.blockAlign = static_cast<uint16_t>(Le(b, body + 12, 2));
      wav.bitsPerSample = static_cast<uint16_t>(Le(b, body + 14, 2));
      haveFormat = true;
    } else if (id == "data") {
      if (size % 2 != 0) wav.error = "odd data size";
      for (size_t i = 0; i + 1 < size; i += 2)
        wav.samples.push_back(static_cast<int16_t>(Le(b, body + i, 2)));
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  if (!haveFormat || !haveData) wav.error = "missing fmt or data chunk";
  return wav;
}

Wav LoadSound(const char* file) {
  return ParseWav(ReadBytes(fs::path("Data/Sound") / file));
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return to > from ? std::sqrt(sum / (to - from)) / 32768.0 : 0.0;
}

double Db(double linear) {
  return 20.0 * std::log10(std::max(linear, 1e-9));
}

int Peak(const std::vector<int16_t>& s) {
  int peak = 0;
  for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
  return peak;
}

TEST(AssetSoundsTest, EveryFileIsMono16BitPcmOfItsExpectedLength) {
  for (const ExpectedSound& e : kSounds) {
    SCOPED_TRACE(e.file);
    ASSERT_TRUE(fs::exists(fs::path("Data/Sound") / e.file));
    Wav wav = LoadSound(e.file);
    ASSERT_EQ(wav.error, "");
    EXPECT_EQ(wav.format, 1);  // PCM
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_TRUE(wav.rate == 44100 || wav.rate == 22050) << wav.rate;
    EXPECT_EQ(wav.blockAlign, 2);
    EXPECT_EQ(wav.byteRate, wav.rate * 2);
    EXPECT_GE(wav.Seconds(), e.minSeconds);
    EXPECT_LE(wav.Seconds(), e.maxSeconds);
  }
}

TEST(AssetSoundsTest, LevelsAreAudibleWithoutClipping) {
  for (const ExpectedSound& e : kSounds) {
    SCOPED_TRACE(e.file);
    Wav wav = LoadSound(e.file);
    ASSERT_EQ(wav.error, "");
    ASSERT_FALSE(wav.samples.empty());
    const std::vector<int16_t>& s = wav.samples;
    int peak = Peak(s);
    // Quiet sounds (footsteps) still reach -12 dBFS; nothing touches full scale.
    EXPECT_GE(Db(peak / 32768.0), -12.0);
    EXPECT_LT(peak, 32767);
    size_t nearFull = std::count_if(s.begin(), s.end(), [](int16_t v) { return std::abs(v) >= 32000; });
    EXPECT_LE(nearFull, s.size() / 1000);
    // The loudest 50 ms carries real energy, not a lone spike.
    size_t window = wav.rate / 20;
    double loudest = 0.0;
    for (size_t at = 0; at + window <= s.size(); at += window / 2)
      loudest = std::max(loudest, Rms(s, at, at + window));
    EXPECT_GE(Db(loudest), -30.0);
  }
}

TEST(AssetSoundsTest, OneShotsStartPromptlyAndEndAtRest) {
  for (const ExpectedSound& e : kSounds) {
    if (e.loops) continue;
    SCOPED_TRACE(e.file);
    Wav wav = LoadSound(e.file);
    ASSERT_EQ(wav.error, "");
    const std::vector<int16_t>& s = wav.samples;
    int peak = Peak(s);
    size_t onset = 0;
    while (onset < s.size() && std::abs(static_cast<int>(s[onset])) < peak / 10) ++onset;
    EXPECT_LE(static_cast<double>(onset) / wav.rate, e.onsetWithin);
    // No click where playback starts or stops.
    EXPECT_LE(std::abs(static_cast<int>(s.front())), 328);
    EXPECT_LE(std::abs(static_cast<int>(s.back())), 328);
    // The tail has died away: the last 10 ms are far below the loudest part.
    size_t tail = wav.rate / 100;
    EXPECT_LE(Db(Rms(s, s.size() - tail, s.size())), Db(peak / 32768.0) - 30.0);
  }
}

TEST(AssetSoundsTest, LoopsHaveNoClickAtTheSeamAndNoSilentStretch) {
  for (const ExpectedSound& e : kSounds) {
    if (!e.loops) continue;
    SCOPED_TRACE(e.file);
    Wav wav = LoadSound(e.file);
    ASSERT_EQ(wav.error, "");
    const std::vector<int16_t>& s = wav.samples;
    ASSERT_GT(s.size(), 1000u);
    auto step = [&](size_t i) { return std::abs(static_cast<int>(s[i + 1]) - static_cast<int>(s[i])); };
    // The jump from the last sample back to the first is no bigger than the steps around it.
    int seam = std::abs(static_cast<int>(s.front()) - static_cast<int>(s.back()));
    int nearby = 0;
    for (size_t i = 0; i < 32; ++i) nearby = std::max({nearby, step(i), step(s.size() - 2 - i)});
    EXPECT_LE(seam, 2 * nearby + 64) << "nearby steps up to " << nearby;
    std::vector<int> steps(s.size() - 1);
    for (size_t i = 0; i + 1 < s.size(); ++i) steps[i] = step(i);
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    int median = steps[steps.size() / 2];
    EXPECT_LE(seam, 3 * median + 64) << "median step " << median;
    // The first play starts from silence, near a zero crossing.
    EXPECT_LE(std::abs(static_cast<int>(s.front())), nearby + 64);
    // Nor is the level on one side of the seam far off the other's.
    size_t window = wav.rate / 20;
    double before = Db(Rms(s, s.size() - window, s.size()));
    double after = Db(Rms(s, 0, window));
    EXPECT_LE(std::fabs(before - after), 12.0);
    // A loop keeps sounding: every second of it has signal.
    for (size_t at = 0; at + wav.rate <= s.size(); at += wav.rate) {
      EXPECT_GE(Db(Rms(s, at, at + wav.rate)), -40.0) << "second starting at " << at / wav.rate;
    }
  }
}

TEST(AssetSoundsTest, MusicTracksDifferInDrive) {
  // The title is calm, the stage and the boss are driven by a beat. Measured on the low
  // band (where kick drums live) as how much of its level comes in sudden rises.
  auto drive = [](const char* file) {
    Wav wav = LoadSound(file);
    EXPECT_EQ(wav.error, "") << file;
    if (!wav.error.empty() || wav.rate < 100) return 0.0;
    const std::vector<int16_t>& s = wav.samples;
    const double a = 1.0 - std::exp(-2.0 * 3.14159265 * 200.0 / wav.rate);
    std::vector<double> low(s.size());
    double state = 0.0;
    for (size_t i = 0; i < s.size(); ++i) low[i] = state += a * (s[i] - state);
    // Windows long enough to hold two periods of the lowest bass note.
    size_t window = wav.rate / 25;
    std::vector<double> levels;
    for (size_t at = 0; at + window <= s.size(); at += window) {
      double sum = 0.0;
      for (size_t i = at; i < at + window; ++i) sum += low[i] * low[i];
      levels.push_back(std::sqrt(sum / window));
    }
    double rises = 0.0, total = 0.0;
    for (size_t i = 1; i < levels.size(); ++i) {
      rises += std::max(0.0, levels[i] - levels[i - 1]);
      total += levels[i];
    }
    return total > 0.0 ? rises / total : 0.0;
  };
  double title = drive("TitleBGM.wav");
  double stage = drive("game.wav");
  double boss = drive("Boss.wav");
  EXPECT_LT(title * 2.0, stage) << "title " << title << ", stage " << stage;
  EXPECT_LT(title * 2.0, boss) << "title " << title << ", boss " << boss;
}

TEST(AssetSoundsTest, TwoGenerationsAreByteIdentical) {
  fs::path base = fs::temp_directory_path() /
                  ("halvane-sounds-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   "-" + std::to_string(std::rand()));
  fs::path first = base / "a", second = base / "b";
  for (const fs::path& dir : {first, second}) {
    std::string command =
        std::string("\"") + HALVANE_ASSETGEN + "\" \"" + dir.string() + "\" sounds > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  size_t compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(first / "Sound")) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::vector<uint8_t> a = ReadBytes(entry.path());
    EXPECT_FALSE(a.empty());
    EXPECT_TRUE(a == ReadBytes(second / "Sound" / name));
    // The pack the build made is the same as a fresh one.
    EXPECT_TRUE(a == ReadBytes(fs::path("Data/Sound") / name));
    ++compared;
  }
  EXPECT_EQ(compared, std::size(kSounds));
  std::error_code ec;
  fs::remove_all(base, ec);
}

}  // namespace
