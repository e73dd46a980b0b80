#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/SceneManager.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundEngine.h"
#include "framework/headless/VelHeadlessBackend.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/GameScene.h"
#include "scene/TitleScene.h"

namespace {
using Op = VelSoundEngine::Call::Op;
}

class TitleSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<HeadlessPlatform>();
    platform = owned.get();
    InstallPlatform(std::move(owned));
    ASSERT_TRUE(platform->CreateGameWindow("test", 1280, 720));
    std::string error;
    ASSERT_TRUE(VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) << error;
    VelShaderManager::GetInstance().Init();
    VelSoundEngine::GetInstance().UseHeadless(true);
    ASSERT_TRUE(VelSoundEngine::GetInstance().Init());
  }

  void TearDown() override {
    title.reset();
    SceneManager::GetInstance().Reset();
    SceneManager::GetInstance().changePending = false;
    VelShaderManager::GetInstance().Release();
    VelGraphicsDevice::GetInstance().Release();
    VelSoundEngine::GetInstance().Release();
    VelSoundEngine::GetInstance().ClearRecord();
    UninstallPlatform();
  }

  void Create() {
    title = std::make_unique<TitleScene>();
    VelSoundEngine::GetInstance().ClearRecord();
  }

  void Updates(int frames) {
    for (int i = 0; i < frames; ++i) title->Update();
  }

  std::vector<VelSoundEngine::Call> Calls(Op op) const {
    std::vector<VelSoundEngine::Call> calls;
    for (const auto& call : VelSoundEngine::GetInstance().GetRecord()) {
      if (call.op == op) calls.push_back(call);
    }
    return calls;
  }

  HeadlessPlatform* platform = nullptr;
  std::unique_ptr<TitleScene> title;
};

TEST_F(TitleSceneTest, ConstructionLightsTheTableauAndCentresTheCursor) {
  platform->SetCursorClient({10, 20});
  Create();
  EXPECT_EQ(platform->CursorClient().x, 640);
  EXPECT_EQ(platform->CursorClient().y, 360);
  const VelCbLight& light = VelShaderManager::GetInstance().cbLight.View();
  EXPECT_NEAR(light.g_DL_Dir.x, 0.0995037f, 1e-6f);
  EXPECT_EQ(light.g_DL_Color, (float3{3.0f, 3.0f, 3.0f}));
  EXPECT_EQ(light.g_AmbientLight, (float3{0.5f, 0.5f, 0.5f}));
  EXPECT_FALSE(VelShaderManager::GetInstance().cbLight.IsDirty());
  // The enemies face the camera.
  EXPECT_NEAR(title->redEnemyWorld.m[0][0], -1.0f, 1e-6f);
  EXPECT_EQ(title->redEnemyWorld.Translation(), (float3{1.7f, 15.4f, 55.0f}));
}

TEST_F(TitleSceneTest, TheMusicStartsOnTheFirstUpdateOnly) {
  Create();
  Updates(3);
  auto loops = Calls(Op::PlayLoop);
  ASSERT_EQ(loops.size(), 1u);
  EXPECT_EQ(loops[0].file, "Data/Sound/TitleBGM.wav");
  EXPECT_NEAR(loops[0].volume, 0.2f, 1e-6f);
}

TEST_F(TitleSceneTest, ThePromptFallsToHalfOnceThenSwingsBetweenHalfAndNineTenths) {
  Create();
  std::vector<float> values;
  for (int i = 0; i < 200; ++i) {
    title->Update();
    values.push_back(title->promptOpacity);
  }
  EXPECT_NEAR(values[48], 0.51f, 1e-4f);
  // The 50th update touches 0.5 and turns back up at once.
  EXPECT_NEAR(values[49], 0.51f, 1e-4f);
  EXPECT_NEAR(values[50], 0.52f, 1e-4f);
  EXPECT_NEAR(values[88], 0.9f, 1e-4f);
  EXPECT_NEAR(values[89], 0.89f, 1e-4f);
  for (size_t i = 50; i < values.size(); ++i) {
    EXPECT_GT(values[i], 0.5f - 1e-4f);
    EXPECT_LT(values[i], 0.9f + 1e-4f);
  }
}

TEST_F(TitleSceneTest, AClickAnywhereShowsTheHoleAndStartsTheGameOneHundredUpdatesLater) {
  Create();
  Updates(30);
  VelSoundEngine::GetInstance().ClearRecord();
  platform->SetCursorClient({100, 600});
  platform->SetKeyDown(Key::LButton, true);
  title->Update();
  EXPECT_TRUE(title->clicked);
  EXPECT_TRUE(title->showBulletHole);
  EXPECT_EQ(title->promptOpacity, 1.0f);
  EXPECT_EQ(title->bulletHoleTransform.Translation(), (float3{-540.0f, -240.0f, 0.0f}));
  EXPECT_NEAR(title->fadeOpacity, 0.01f, 1e-6f);
  auto shots = Calls(Op::Play);
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_EQ(shots[0].file, "Data/Sound/chargeBullet.wav");
  EXPECT_NEAR(shots[0].volume, 0.3f, 1e-6f);
  auto stops = Calls(Op::StopLoop);
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].file, "Data/Sound/TitleBGM.wav");

  // Clicking again elsewhere changes nothing.
  platform->SetKeyDown(Key::LButton, false);
  title->Update();
  platform->SetCursorClient({1200, 50});
  platform->SetKeyDown(Key::LButton, true);
  Updates(97);
  EXPECT_EQ(title->bulletHoleTransform.Translation(), (float3{-540.0f, -240.0f, 0.0f}));
  EXPECT_EQ(Calls(Op::Play).size(), 1u);
  EXPECT_EQ(title->promptOpacity, 1.0f);
  EXPECT_FALSE(SceneManager::GetInstance().HasPendingChange());
  EXPECT_FALSE(SceneManager::GetInstance().changePending);

  // The 100th update counted from the click's.
  title->Update();
  EXPECT_EQ(title->fadeOpacity, 1.0f);
  EXPECT_TRUE(SceneManager::GetInstance().HasPendingChange());
  EXPECT_TRUE(SceneManager::GetInstance().changePending);
  title->Update();
  SceneManager::GetInstance().Update();
  EXPECT_NE(dynamic_cast<GameScene*>(SceneManager::GetInstance().Current()), nullptr)
      << "one game scene, requested once";
}

TEST_F(TitleSceneTest, AButtonHeldAtCreationStartsTheGameAtOnce) {
  platform->SetKeyDown(Key::LButton, true);
  Create();
  title->Update();
  EXPECT_TRUE(title->clicked);
  EXPECT_EQ(title->bulletHoleTransform.Translation(), (float3{0.0f, 0.0f, 0.0f}));
}

TEST_F(TitleSceneTest, AFrameDrawsTheFoggedTableauThenTheScreenAndSwitchesTheFogOff) {
  Create();
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.ClearDrawRecords();
  uint32_t clears = device.GetHeadlessStats().colorClears;
  title->Frame();

  const VelShaderManager& shaders = VelShaderManager::GetInstance();
  const VelCbCamera& camera = shaders.cbCamera.View();
  EXPECT_EQ(camera.g_DistanceFogEnable, 0);
  EXPECT_TRUE(shaders.cbCamera.IsDirty()) << "marked, not uploaded";
  // What the models were drawn with.
  VelCbCamera uploaded;
  std::memcpy(&uploaded,
              static_cast<const VelHeadlessBuffer&>(*shaders.cbCamera.buffer.GetBuffer()).data.data(),
              sizeof uploaded);
  EXPECT_EQ(uploaded.g_DistanceFogEnable, 1);
  EXPECT_EQ(uploaded.g_DistanceFogColor, (float3{0.1f, 0.0f, 0.1f}));
  EXPECT_FLOAT_EQ(uploaded.g_DistanceFogDensity, 0.002f);
  EXPECT_NEAR(uploaded.g_CamPos.y, 4.0f, 1e-4f);
  EXPECT_NEAR(uploaded.g_CamPos.z, -4.0f, 1e-4f);
  EXPECT_NEAR(uploaded.g_mP.m[2][2], 1.00001f, 1e-6f);
  EXPECT_NEAR(uploaded.g_mP.m[3][2], -0.0100001f, 1e-7f);
  EXPECT_EQ(device.GetHeadlessStats().colorClears, clears + 1);

  std::vector<std::string> sprites;
  size_t models = 0;
  bool spritesStarted = false;
  for (const VelDrawRecord& record : device.GetDrawRecords()) {
    if (record.shader == VelShaderPath::Model) {
      EXPECT_FALSE(spritesStarted) << "models come first";
      ++models;
    } else {
      spritesStarted = true;
      EXPECT_EQ(record.shader, VelShaderPath::Sprite);
      sprites.push_back(record.textureNames[0]);
    }
  }
  EXPECT_GE(models, 8u);
  EXPECT_EQ(sprites, (std::vector<std::string>{"Data/Texture/Title.png", "Data/Texture/start.png",
                                               "Data/Texture/fadeOut.png"}));
}

TEST_F(TitleSceneTest, TheGameCameraDrawsWithoutFogAfterTheTitle) {
  Create();
  title->Frame();
  GameScene game;
  game.SetCamera();
  const VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelCbCamera uploaded;
  std::memcpy(&uploaded,
              static_cast<const VelHeadlessBuffer&>(*shaders.cbCamera.buffer.GetBuffer()).data.data(),
              sizeof uploaded);
  EXPECT_EQ(uploaded.g_DistanceFogEnable, 0);
}
