#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GameTestWorld.h"
#include "app/SceneManager.h"
#include "game/enemy/C_EnemyBlue.h"
#include "scene/TitleScene.h"

namespace {
using Op = VelSoundEngine::Call::Op;

// Client pixels of a screen point (origin at the centre, y up); the headless
// window sits at screen (0, 0).
PlatformPoint Client(int x, int y) {
  return {x + 640, 360 - y};
}

const PlatformPoint kClearButton = Client(300, -125);
const PlatformPoint kDeadTitleButton = Client(200, -150);
const PlatformPoint kRetryButton = Client(200, -250);
}  // namespace

class GameFlowTest : public GameTestWorld {
 protected:
  void TearDown() override {
    SceneManager::GetInstance().Reset();
    SceneManager::GetInstance().changePending = false;
    GameTestWorld::TearDown();
  }

  Hud& hud() { return *game->hud; }

  // The HUD alone, as on frames where the world stands still.
  void HudUpdates(int frames) {
    for (int i = 0; i < frames; ++i) hud().Update();
  }

  // After the fade in: a fade still fading in cancels a fade out.
  void Die() {
    HudUpdates(50);
    game->player->alive = false;
    game->player->hp = 0;
  }

  // Runs the HUD until the fade has asked for the next scene.
  int FramesUntilTheNextScene(int limit = 200) {
    for (int i = 1; i <= limit; ++i) {
      hud().Update();
      if (SceneManager::GetInstance().HasPendingChange()) return i;
    }
    return -1;
  }

  // Switches to the requested scene (the test still owns the old one).
  Scene* Switch() {
    SceneManager::GetInstance().Update();
    return SceneManager::GetInstance().Current();
  }

  std::vector<std::string> TextureDraws() {
    VelGraphicsDevice::GetInstance().ClearDrawRecords();
    BeginSprite(false, true);
    hud().Draw();
    EndSprite();
    std::vector<std::string> names;
    for (const VelDrawRecord& record : VelGraphicsDevice::GetInstance().GetDrawRecords()) {
      names.push_back(record.textureNames[0]);
    }
    return names;
  }

  static bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  static long IndexOf(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) - names.begin();
  }
};

TEST_F(GameFlowTest, ThePlayThroughFadesInOverFiftyFrames) {
  SceneManager::GetInstance().changePending = true;
  HudUpdates(1);
  EXPECT_FALSE(SceneManager::GetInstance().changePending) << "an incomplete fade clears it";
  HudUpdates(48);
  EXPECT_TRUE(hud().fade->fadingIn);
  EXPECT_GT(hud().fade->opacity, 0.0f);
  HudUpdates(1);
  EXPECT_FALSE(hud().fade->fadingIn);
  EXPECT_EQ(hud().fade->opacity, 0.0f);
}

TEST_F(GameFlowTest, DeathDimsTheSceneAndBringsUpTheDeadScreen) {
  HudUpdates(60);
  EXPECT_FALSE(platform->IsCursorShown());
  VelSoundEngine::GetInstance().ClearRecord();
  Die();
  HudUpdates(1);
  EXPECT_NEAR(hud().fade->opacity, 0.7f, 1e-6f);
  EXPECT_TRUE(hud().deadScreen->active);
  EXPECT_TRUE(platform->IsCursorShown());
  EXPECT_EQ(Played(Op::StopLoop), (std::vector<std::string>{"Data/Sound/game.wav", "Data/Sound/Boss.wav"}));
  EXPECT_EQ(Played(Op::Play), (std::vector<std::string>{"Data/Sound/dead.wav"}));
  HudUpdates(30);
  EXPECT_NEAR(hud().fade->opacity, 0.7f, 1e-6f);
  EXPECT_EQ(Played(Op::Play).size(), 1u);
}

TEST_F(GameFlowTest, TheDeadCaptionShakesDownAndBack) {
  Die();
  std::vector<float> shakes;
  for (int i = 0; i < 11; ++i) {
    hud().Update();
    shakes.push_back(hud().deadScreen->captionTransform.m[3][1]);
  }
  EXPECT_EQ(shakes,
            (std::vector<float>{-0.5f, -1.0f, -1.0f, -0.5f, 0.0f, -0.5f, -1.0f, -1.0f, -0.5f, 0.0f, -0.5f}));
}

TEST_F(GameFlowTest, TheTwentyFirstDefeatClearsOnTheNextFrameAndFreezesTheWorld) {
  Updates(1);
  game->killCount = 20;
  game->enemies->enemies.push_back(std::make_unique<C_EnemyBlue>(float3{200.0f, 2.0f, 300.0f}));
  game->enemies->enemies.back()->SetHp(0);
  // The defeat happens in the enemies' step of a world update, after the HUD's.
  float before = game->sky->angle;
  Updates(1);
  EXPECT_EQ(game->killCount, 21);
  EXPECT_NE(game->sky->angle, before) << "the world ran on the frame of the defeat";
  float sky = game->sky->angle;
  EXPECT_FALSE(hud().clearScreen->active);
  VelSoundEngine::GetInstance().ClearRecord();
  Updates(1);
  EXPECT_TRUE(hud().clearScreen->active);
  EXPECT_TRUE(platform->IsCursorShown());
  EXPECT_EQ(Played(Op::StopLoop), (std::vector<std::string>{"Data/Sound/Boss.wav"}));
  EXPECT_EQ(Played(Op::Play), (std::vector<std::string>{"Data/Sound/clear.wav"}));
  EXPECT_EQ(game->sky->angle, sky);
  Updates(5);
  EXPECT_EQ(game->sky->angle, sky);
}

TEST_F(GameFlowTest, TheClearButtonAppearsOnceTheGhostHasGone) {
  game->killCount = 21;
  HudUpdates(50);
  ClearScreen& clear = *hud().clearScreen;
  EXPECT_NEAR(clear.ghostScale, 1.5f, 1e-4f);
  EXPECT_NEAR(clear.ghostTransform.m[0][0], 1.5f, 1e-4f);
  EXPECT_NEAR(clear.ghostTransform.m[3][1], 50.0f, 1e-4f);
  EXPECT_FALSE(Has(TextureDraws(), "Data/Texture/ToTitle_clear.png"));
  HudUpdates(51);
  EXPECT_EQ(clear.ghostOpacity, 0.0f);
  EXPECT_EQ(clear.ghostScale, 0.0f);
  std::vector<std::string> names = TextureDraws();
  ASSERT_TRUE(Has(names, "Data/Texture/ToTitle_clear.png"));
  // Drawn under the fade.
  EXPECT_LT(IndexOf(names, "Data/Texture/ToTitle_clear.png"), IndexOf(names, "Data/Texture/fadeOut.png"));
}

TEST_F(GameFlowTest, AClickOnTheClearButtonFadesOutIntoANewTitle) {
  game->killCount = 21;
  HudUpdates(120);
  ClearScreen& clear = *hud().clearScreen;
  // The edge of the 250-pixel button is not on it.
  platform->SetCursorClient({kClearButton.x + 125, kClearButton.y});
  HudUpdates(1);
  EXPECT_NEAR(clear.buttonOpacity, 0.4f, 1e-6f);
  platform->SetCursorClient({kClearButton.x + 124, kClearButton.y});
  HudUpdates(1);
  EXPECT_NEAR(clear.buttonOpacity, 0.42f, 1e-6f);

  VelSoundEngine::GetInstance().ClearRecord();
  Hold({Key::LButton});
  HudUpdates(3);
  EXPECT_TRUE(clear.titleChosen);
  EXPECT_TRUE(hud().fade->fadingOut);
  EXPECT_EQ(Played(Op::Play), (std::vector<std::string>{"Data/Sound/Decision.wav"}));
  // Leaving the button does not undo the click.
  Hold({});
  platform->SetCursorClient({100, 100});
  HudUpdates(1);
  EXPECT_TRUE(hud().fade->fadingOut);

  int frames = FramesUntilTheNextScene();
  ASSERT_GT(frames, 0);
  EXPECT_NEAR(hud().fade->opacity, 1.0f, 1e-6f);
  EXPECT_TRUE(SceneManager::GetInstance().changePending);
  EXPECT_NE(dynamic_cast<TitleScene*>(Switch()), nullptr);
}

TEST_F(GameFlowTest, BothDeadScreenButtonsChosenTheTitleWins) {
  Die();
  HudUpdates(10);
  VelSoundEngine::GetInstance().ClearRecord();
  Hold({Key::LButton});
  platform->SetCursorClient(kDeadTitleButton);
  HudUpdates(2);
  platform->SetCursorClient(kRetryButton);
  HudUpdates(2);
  DeadScreen& dead = *hud().deadScreen;
  EXPECT_TRUE(dead.titleChosen);
  EXPECT_TRUE(dead.retryChosen);
  EXPECT_EQ(Played(Op::Play),
            (std::vector<std::string>{"Data/Sound/Decision.wav", "Data/Sound/Decision.wav"}));
  ASSERT_GT(FramesUntilTheNextScene(), 0);
  EXPECT_NE(dynamic_cast<TitleScene*>(Switch()), nullptr);
}

TEST_F(GameFlowTest, TheDeadScreenStaysAboveTheFadeWhileItFadesOut) {
  Die();
  HudUpdates(5);
  Hold({Key::LButton});
  platform->SetCursorClient(kRetryButton);
  HudUpdates(10);
  std::vector<std::string> names = TextureDraws();
  EXPECT_LT(IndexOf(names, "Data/Texture/fadeOut.png"), IndexOf(names, "Data/Texture/dead.png"));
  EXPECT_LT(IndexOf(names, "Data/Texture/dead.png"), IndexOf(names, "Data/Texture/Retry_dead.png"));
  EXPECT_EQ(names.back(), "Data/Texture/Retry_dead.png");
}

TEST_F(GameFlowTest, RetryBuildsAWhollyNewGameScene) {
  game->killCount = 7;
  Die();
  HudUpdates(5);
  Hold({Key::LButton});
  platform->SetCursorClient(kRetryButton);
  HudUpdates(1);
  Hold({});
  ASSERT_GT(FramesUntilTheNextScene(), 0);
  auto* next = dynamic_cast<GameScene*>(Switch());
  ASSERT_NE(next, nullptr);
  EXPECT_NE(next, game.get());
  EXPECT_EQ(next->killCount, 0);
  EXPECT_TRUE(next->player->IsAlive());
  EXPECT_TRUE(next->musicStarted) << "its first frame has run";
  EXPECT_FALSE(next->hud->deadScreen->active);
  EXPECT_FALSE(platform->IsCursorShown());
}

TEST_F(GameFlowTest, TheBossWarningRunsOnceForOneHundredFiftyFrames) {
  BossWarning& warning = *hud().bossWarning;
  game->player->position = {0.0f, 0.0f, 484.9f};
  HudUpdates(1);
  EXPECT_FALSE(warning.active);
  game->player->position.z = 485.0f;
  VelSoundEngine::GetInstance().ClearRecord();
  HudUpdates(1);
  EXPECT_TRUE(warning.active);
  EXPECT_EQ(warning.framesLeft, 149);
  EXPECT_EQ(Played(Op::StopLoop), (std::vector<std::string>{"Data/Sound/game.wav"}));
  auto calls = VelSoundEngine::GetInstance().GetRecord();
  std::vector<std::pair<std::string, float>> loops;
  for (const auto& call : calls) {
    if (call.op == Op::PlayLoop) loops.push_back({call.file, call.volume});
  }
  ASSERT_EQ(loops.size(), 2u);
  EXPECT_EQ(loops[0].first, "Data/Sound/warning.wav");
  EXPECT_NEAR(loops[0].second, 0.2f, 1e-6f);
  EXPECT_EQ(loops[1].first, "Data/Sound/Boss.wav");
  EXPECT_NEAR(loops[1].second, 0.1f, 1e-6f);

  // The blink climbs to 0.7 and turns down in the same frame.
  float peak = 0.0f;
  for (int i = 0; i < 100; ++i) {
    hud().Update();
    peak = std::max(peak, warning.opacity);
  }
  EXPECT_NEAR(peak, 0.69f, 1e-4f);
  EXPECT_TRUE(Has(TextureDraws(), "Data/Texture/Warning.png"));

  VelSoundEngine::GetInstance().ClearRecord();
  HudUpdates(48);
  EXPECT_TRUE(warning.active);
  EXPECT_FALSE(game->enemies->bossWarningOver) << "the third wave waits";
  HudUpdates(1);
  EXPECT_FALSE(warning.active);
  EXPECT_TRUE(game->enemies->bossWarningOver);
  EXPECT_EQ(warning.framesLeft, 0);
  EXPECT_EQ(Played(Op::StopLoop), (std::vector<std::string>{"Data/Sound/warning.wav"}));
  EXPECT_FALSE(Has(TextureDraws(), "Data/Texture/Warning.png"));

  // Crossing the line again changes nothing.
  game->player->position.z = 400.0f;
  HudUpdates(1);
  game->player->position.z = 500.0f;
  VelSoundEngine::GetInstance().ClearRecord();
  HudUpdates(5);
  EXPECT_FALSE(warning.active);
  EXPECT_TRUE(VelSoundEngine::GetInstance().GetRecord().empty());
}

TEST_F(GameFlowTest, TheWarningRunsOnOverTheDeadScreenBelowTheFade) {
  BossWarning& warning = *hud().bossWarning;
  game->player->position = {0.0f, 0.0f, 490.0f};
  HudUpdates(20);
  Die();
  HudUpdates(20);
  EXPECT_TRUE(warning.active);
  EXPECT_EQ(warning.framesLeft, 60);
  std::vector<std::string> names = TextureDraws();
  long warningAt = IndexOf(names, "Data/Texture/Warning.png");
  ASSERT_LT(warningAt, static_cast<long>(names.size()));
  EXPECT_LT(warningAt, IndexOf(names, "Data/Texture/fadeOut.png"));
  EXPECT_LT(IndexOf(names, "Data/Texture/fadeOut.png"), IndexOf(names, "Data/Texture/dead.png"));
  HudUpdates(60);
  EXPECT_FALSE(warning.active);
  EXPECT_EQ(warning.framesLeft, 0);
}
