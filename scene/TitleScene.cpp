#include "scene/TitleScene.h"

#include <memory>

#include "app/SceneManager.h"
#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "framework/VelSprite.h"
#include "platform/Platform.h"
#include "scene/GameScene.h"
#include "scene/HudSprite.h"

namespace {
constexpr float kFadeStep = 0.01f;
constexpr float kPromptStep = 0.01f;
constexpr float kPromptLow = 0.5f;
constexpr float kPromptHigh = 0.9f;

float4x4 FacingTheCamera(float x, float y, float z) {
  return MatrixRotationY(kPi) * MatrixTranslation(x, y, z);
}
}  // namespace

TitleScene::TitleScene()
    : logoTransform(MatrixTranslation(0, 80, 0)),
      promptTransform(MatrixTranslation(0, -50, 0)),
      playerWorld(MatrixTranslation(-1.5f, -0.5f, 2.0f)),
      firstHandWorld(MatrixTranslation(-2.5f, 0.8f, 2.0f)),
      secondHandWorld(MatrixTranslation(-0.65f, 0.8f, 2.0f)),
      gunWorld(MatrixTranslation(-0.65f, 0.75f, 3.3f)),
      groundWorld(MatrixTranslation(0, 0, -255)),
      redEnemyWorld(FacingTheCamera(1.7f, 15.4f, 55.0f)),
      blueEnemyWorld(FacingTheCamera(13.0f, 8.3f, 40.0f)),
      yellowEnemyWorld(FacingTheCamera(-10.0f, 10.2f, 40.0f)) {
  logo.Load("Data/Texture/Title.png");
  startPrompt.Load("Data/Texture/start.png");
  fade.Load("Data/Texture/fadeOut.png");
  bulletHole.Load("Data/Texture/BulletHole.png");
  player.Load("Data/Player/Player.gltf");
  firstHand.Load("Data/Player/Hand.gltf");
  secondHand.Load("Data/Player/Hand.gltf");
  gun.Load("Data/Player/Gun.gltf");
  ground.Load("Data/Ground/Ground.gltf");
  redEnemy.Load("Data/Enemy/EnemyRed.gltf");
  blueEnemy.Load("Data/Enemy/EnemyBlue.gltf");
  yellowEnemy.Load("Data/Enemy/EnemyYellow.gltf");

  // The game scene's light, so the figures look the same in both.
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelCbLight& light = shaders.cbLight.Data();
  light.g_DL_Dir = Normalize({1.0f, -10.0f, 0.0f});
  light.g_DL_Color = {3.0f, 3.0f, 3.0f};
  light.g_AmbientLight = {0.5f, 0.5f, 0.5f};
  shaders.UploadLight();

  Sys().SetCursorPos(Sys().ClientToScreen({640, 360}));
}

TitleScene::~TitleScene() = default;

void TitleScene::Frame() {
  Update();
  SetTitleCamera();
  Draw();
  // Marked only: the game camera's next upload carries it.
  VelShaderManager::GetInstance().cbCamera.Data().g_DistanceFogEnable = 0;
}

void TitleScene::SetTitleCamera() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  device.BeginWorld();
  device.ClearBackBuffer({1.0f, 1.0f, 1.0f, 1.0f});
  device.ClearDepth(1.0f, 0);

  VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelCbCamera& camera = shaders.cbCamera.Data();
  camera.g_mV = MatrixLookAtLH({2, 4, -4}, {2, 3, 3}, {0, 1, 0});
  camera.g_CamPos = MatrixInverse(camera.g_mV).Translation();
  camera.g_mP = MatrixPerspectiveFovLH(60.0f * kDegToRad, 1.7777778f, 0.01f, 1000.0f);
  camera.g_DistanceFogEnable = 1;
  camera.g_DistanceFogColor = {0.1f, 0.0f, 0.1f};
  camera.g_DistanceFogDensity = 0.002f;
  shaders.UploadCamera();
}

void TitleScene::Update() {
  VelSoundManager& sound = VelSoundManager::GetInstance();
  if (!musicStarted) {
    musicStarted = true;
    sound.PlayLoop("Data/Sound/TitleBGM.wav", 0.2f);
  }
  float2 cursor = HudCursor();
  bool buttonDown = Sys().IsKeyDown(Key::LButton);

  // Anywhere in the window starts the game; only the first click counts.
  if (buttonDown && !clicked) {
    clicked = true;
    showBulletHole = true;
    promptOpacity = 1.0f;
    bulletHoleTransform = MatrixTranslation(cursor.x, cursor.y, 0);
    sound.Play("Data/Sound/chargeBullet.wav", 0.3f);
    sound.StopLoop("Data/Sound/TitleBGM.wav");
  }
  if (clicked) fadeOpacity += kFadeStep;

  // Down from full to the low mark once, then between the low and the high mark.
  if (!clicked && !buttonDown) {
    if (promptFadingDown) {
      promptOpacity -= kPromptStep;
      if (ReachedDown(promptOpacity, kPromptLow)) {
        promptFadingDown = false;
        promptOpacity += kPromptStep;
        if (ReachedUp(promptOpacity, kPromptHigh)) promptFadingDown = true;
      }
    } else {
      promptOpacity += kPromptStep;
      if (ReachedUp(promptOpacity, kPromptHigh)) promptFadingDown = true;
    }
  }

  SceneManager& manager = SceneManager::GetInstance();
  if (!ReachedUp(fadeOpacity, 1.0f)) {
    manager.changePending = false;
    return;
  }
  fadeOpacity = 1.0f;
  if (!manager.changePending) {
    manager.changePending = true;
    manager.ChangeScene(std::make_unique<GameScene>());
  }
}

void TitleScene::Draw() {
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  shaders.BeginModel();
  const std::pair<const VelModel*, const float4x4*> models[] = {
      {&player, &playerWorld},         {&firstHand, &firstHandWorld},
      {&secondHand, &secondHandWorld}, {&gun, &gunWorld},
      {&ground, &groundWorld},         {&redEnemy, &redEnemyWorld},
      {&blueEnemy, &blueEnemyWorld},   {&yellowEnemy, &yellowEnemyWorld}};
  for (const auto& [model, world] : models) {
    shaders.modelWorld = *world;
    shaders.DrawModel(*model);
  }

  VelGraphicsDevice::GetInstance().BeginOverlay();
  BeginSprite(false, true);
  DrawHudSprite(logo, logoTransform, {0, 0, 1000, 200}, 1.0f);
  DrawHudSprite(startPrompt, promptTransform, {0, 0, 400, 57}, promptOpacity);
  if (showBulletHole) DrawHudSprite(bulletHole, bulletHoleTransform, {0, 0, 300, 300}, 1.0f);
  DrawHudSprite(fade, fadeTransform, {0, 0, 1280, 720}, fadeOpacity);
  EndSprite();
}
