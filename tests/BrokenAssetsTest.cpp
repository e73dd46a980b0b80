// The game with one asset file broken: missing, cut in half or replaced by
// garbage of the same size. It starts from the title, plays a firefight and
// leaves the broken object invisible or silent; where the file plays no part
// in the rules the play-through is the same, frame by frame, as with the
// whole asset tree.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DevRunInFolder.h"

#ifdef HALVANE_DEV_TOOL

namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Truncated, Garbage };
enum class Kind { Model, Texture, MaterialTexture, Sound };

struct BrokenCase {
  const char* name;
  const char* file;  // under the working folder
  Damage damage;
  Kind kind;
  bool rulesUnchanged;  // the file is only seen or heard
  // The texture's name in the draws, when it differs from the file's: a
  // model's textures are named by its folder and the image's own name.
  const char* drawnAs = nullptr;
};

void PrintTo(const BrokenCase& c, std::ostream* out) {
  *out << c.name;
}

// From the title into a firefight past the second line: shots, hits, dashes,
// enemy fire, a jump and a landing.
const std::string kScript =
    "20\n"
    "1 LMB cursor=540,310\n"
    "99\n"
    "60\n"
    "set kill=4\n"
    "set pos=-10,3,130\n"
    "140 LMB dx=-4\n"
    "1 SPACE\n"
    "200 LMB\n";
constexpr size_t kFrames = 521;
constexpr int kFirstGameFrame = 120;
const std::string kOptions = "--clock-ms 4242 --draws on";

// The trace line without what a broken file may change while the rules are
// the same: the draws and the sounds' success.
nlohmann::json Play(const nlohmann::json& line) {
  nlohmann::json play = line;
  play.erase("draws");
  play.erase("drawn");
  for (auto& sound : play["sounds"]) sound.erase("effective");
  return play;
}

void Break(const fs::path& file, Damage damage) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  fs::remove(file);
  if (damage == Damage::Missing) return;
  if (damage == Damage::Truncated) {
    bytes.resize(bytes.size() / 2);
  } else {
    uint32_t state = 12345;
    for (char& byte : bytes) {
      state = state * 1664525u + 1013904223u;
      byte = static_cast<char>(state >> 24);
    }
  }
  std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

int Entries(const std::vector<nlohmann::json>& trace, const std::string& file, bool effective) {
  int count = 0;
  for (const auto& frame : trace) {
    for (const auto& sound : frame["sounds"]) count += sound["file"] == file && sound["effective"] == effective;
  }
  return count;
}

int FramesDrawing(const std::vector<nlohmann::json>& trace, const std::string& texture) {
  int count = 0;
  for (const auto& frame : trace) {
    for (const auto& name : frame["drawn"]) count += name == texture;
  }
  return count;
}

long TotalDraws(const std::vector<nlohmann::json>& trace) {
  long total = 0;
  for (const auto& frame : trace) total += frame["draws"].get<long>();
  return total;
}

class BrokenAssetsTest : public testing::TestWithParam<BrokenCase> {
 protected:
  void SetUp() override {
    // Other build trees may run the same case at the same time.
    folder = fs::temp_directory_path() /
             ("halvane-broken-" + std::string(GetParam().name) + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(fs::path(HALVANE_BUILD_DIR) / "Data", folder / "Data", fs::copy_options::recursive);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
};

TEST_P(BrokenAssetsTest, TheGameStartsAndPlaysOn) {
  const BrokenCase& c = GetParam();
  const DevRun whole = RunDevTool(HALVANE_BUILD_DIR, std::string("broken-reference-") + c.name, kScript, kOptions);
  const DevRun* reference = &whole;
  ASSERT_EQ(reference->status, 0) << reference->output;
  ASSERT_EQ(reference->trace.size(), kFrames);
  ASSERT_TRUE(fs::exists(folder / c.file));
  Break(folder / c.file, c.damage);

  DevRun run = RunDevTool(folder.string(), "broken", kScript, kOptions);
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(run.trace.size(), kFrames);
  EXPECT_EQ(run.summary["frames"], kFrames);
  EXPECT_EQ(run.trace[kFirstGameFrame - 1]["scene"], "title");
  EXPECT_EQ(run.trace[kFirstGameFrame]["scene"], "game");
  EXPECT_EQ(run.summary["scene"], "game");
  // The world moved on after the broken file was first needed.
  EXPECT_NE(run.trace.back()["sky"], run.trace[kFirstGameFrame]["sky"]);

  if (c.rulesUnchanged) {
    for (size_t i = 0; i < kFrames; ++i) {
      SCOPED_TRACE("frame " + std::to_string(i));
      ASSERT_EQ(Play(run.trace[i]), Play(reference->trace[i]));
    }
  }

  const std::string file = c.drawnAs ? c.drawnAs : c.file;
  switch (c.kind) {
    case Kind::Sound:
      ASSERT_GT(Entries(reference->trace, file, true), 0) << "the script never plays " << file;
      EXPECT_GT(Entries(run.trace, file, false), 0);
      EXPECT_EQ(Entries(run.trace, file, true), 0) << file << " was heard";
      break;
    case Kind::Texture:
      ASSERT_GT(FramesDrawing(reference->trace, file), 0) << "the script never shows " << file;
      EXPECT_EQ(FramesDrawing(run.trace, file), 0) << file << " was seen";
      break;
    case Kind::MaterialTexture:
      // The model is still drawn, in white.
      ASSERT_GT(FramesDrawing(reference->trace, file), 0) << "the script never shows " << file;
      EXPECT_EQ(FramesDrawing(run.trace, file), 0) << file << " was seen";
      for (size_t i = 0; i < kFrames; ++i) ASSERT_EQ(run.trace[i]["draws"], reference->trace[i]["draws"]) << i;
      break;
    case Kind::Model:
      EXPECT_LT(TotalDraws(run.trace), TotalDraws(reference->trace));
      if (c.rulesUnchanged) {
        for (size_t i = 0; i < kFrames; ++i) ASSERT_LE(run.trace[i]["draws"], reference->trace[i]["draws"]) << i;
      }
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sample, BrokenAssetsTest,
    testing::Values(
        BrokenCase{"StageMissing", "Data/Ground/Stage.gltf", Damage::Missing, Kind::Model, false},
        BrokenCase{"BlueEnemyGarbage", "Data/Enemy/EnemyBlue.gltf", Damage::Garbage, Kind::Model, false},
        BrokenCase{"GunTruncated", "Data/Player/Gun.gltf", Damage::Truncated, Kind::Model, true},
        BrokenCase{"PushWaveMissing", "Data/Effect/PushAttack.gltf", Damage::Missing, Kind::Model, true},
        BrokenCase{"BulletSheetGarbage", "Data/Player/Bullet.png", Damage::Garbage, Kind::Texture, true},
        BrokenCase{"HitSheetTruncated", "Data/Effect/hitBullet2.png", Damage::Truncated, Kind::Texture, true},
        BrokenCase{"HudFrameMissing", "Data/Texture/frame.png", Damage::Missing, Kind::Texture, true},
        BrokenCase{"TitleLogoTruncated", "Data/Texture/Title.png", Damage::Truncated, Kind::Texture, true},
        BrokenCase{"StageMetalMissing", "Data/Ground/metal.png", Damage::Missing, Kind::MaterialTexture, true,
                   "Data/Ground//metal.png"},
        BrokenCase{"ShotSoundTruncated", "Data/Sound/playerBullet.wav", Damage::Truncated, Kind::Sound, true},
        BrokenCase{"MusicGarbage", "Data/Sound/game.wav", Damage::Garbage, Kind::Sound, true},
        BrokenCase{"HitSoundMissing", "Data/Sound/hitBullet.wav", Damage::Missing, Kind::Sound, true}),
    [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

}  // namespace

#endif
