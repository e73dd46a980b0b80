#include "scene/GameScene.h"

#include <cstdlib>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSoundManager.h"
#include "framework/VelSprite.h"
#include "platform/Platform.h"

namespace {
constexpr int kEnemiesInStage = 21;
constexpr int kAlphaBlendMode = 1;
constexpr int kAdditiveBlendMode = 2;
}  // namespace

GameScene::GameScene() {
  camera = std::make_unique<Camera>(this);
  hud = std::make_unique<Hud>(this);
  player = std::make_unique<Player>(this);
  gunHand = std::make_unique<Hand>(this, Hand::Kind::Gun);
  freeHand = std::make_unique<Hand>(this, Hand::Kind::Free);
  rightLeg = std::make_unique<Leg>(this, Leg::Side::Right);
  leftLeg = std::make_unique<Leg>(this, Leg::Side::Left);
  gun = std::make_unique<Gun>(this);
  playerShots = std::make_unique<PlayerShots>(this);
  sky = std::make_unique<Sky>(this);
  stage = std::make_unique<StageObjects>(this);
  effects = std::make_unique<C_EffectManager>(this);
  enemies = std::make_unique<EnemyManager>(this);
  enemyShots = std::make_unique<EnemyShots>(this);
  items = std::make_unique<ItemManager>(this);

  killCount = 0;
  musicStarted = false;
  // A fixed clock gives a fixed game.
  std::srand(Sys().ReadSeedClock());

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  additiveBlend = device.CreateBlendState(kAdditiveBlendMode);
  alphaBlend = device.CreateBlendState(kAlphaBlendMode);
  depthTestNoWrite = device.CreateDepthStencilState(true, false);
  depthTestWrite = device.CreateDepthStencilState(true, true);

  VelShaderManager& shaders = VelShaderManager::GetInstance();
  VelCbLight& light = shaders.cbLight.Data();
  light.g_DL_Dir = Normalize({1.0f, -10.0f, 0.0f});
  light.g_DL_Color = {3.0f, 3.0f, 3.0f};
  light.g_AmbientLight = {0.5f, 0.5f, 0.5f};
  shaders.UploadLight();

  Sys().ShowCursor(false);
}

GameScene::~GameScene() {
  // In the order of creation.
  camera.reset();
  hud.reset();
  player.reset();
  gunHand.reset();
  freeHand.reset();
  rightLeg.reset();
  leftLeg.reset();
  gun.reset();
  playerShots.reset();
  sky.reset();
  stage.reset();
  effects.reset();
  enemies.reset();
  enemyShots.reset();
  items.reset();
}

std::vector<ContactBody> GameScene::EnemyBodies() const {
  std::vector<ContactBody> bodies;
  for (const auto& enemy : enemies->enemies) {
    bodies.push_back({enemy->GetMatrix().Translation(), enemy->GetRadius(), enemy->GetPower()});
  }
  return bodies;
}

std::vector<ContactBody> GameScene::EnemyBulletBodies() const {
  std::vector<ContactBody> bodies;
  for (const auto& bullet : enemyShots->bullets) {
    bodies.push_back({bullet->GetPosition(), bullet->GetRadius(), bullet->GetPower()});
  }
  return bodies;
}

bool GameScene::WorldRuns() const {
  return Sys().IsWindowActive() && player->IsAlive() && killCount < kEnemiesInStage;
}

void GameScene::Update() {
  float4x4 look =
      MatrixRotationX(player->GetPitch() * kDegToRad) * MatrixRotationY(player->GetYaw() * kDegToRad);
  VelSoundManager& sound = VelSoundManager::GetInstance();
  sound.SetListener(player->GetPosition(), look.Row(2), player->world.Row(1));

  if (!musicStarted) {
    musicStarted = true;
    sound.PlayLoop("Data/Sound/game.wav", 0.1f);
  }

  // Neither the HUD nor the game flow changes what decides this.
  const bool worldRuns = WorldRuns();
  // The charge hum belongs to the world: it goes quiet when the world stops,
  // before the dead or clear screen sounds.
  if (!worldRuns) effects->PauseHum();

  // The HUD and game flow update on every frame, frozen world or not.
  hud->Update();

  if (!worldRuns) return;

  player->Update();
  gunHand->Update(player->GetPitch(), player->GetYaw());
  freeHand->Update(player->GetPitch(), player->GetYaw());
  rightLeg->Update(player->GetYaw());
  leftLeg->Update(player->GetYaw());
  gun->Update(player->GetPitch(), player->GetYaw());
  camera->Update(player->GetPitch());
  playerShots->Update();
  items->Update();
  stage->Update();
  sky->Update();
  enemies->Update();
  enemyShots->Update();
  effects->Update();
}

void GameScene::SetCamera() {
  VelGraphicsDevice::GetInstance().BeginWorld();
  camera->SetView();
}

void GameScene::Draw() {
  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();

  shaders.BeginModel();
  player->Draw();
  gunHand->Draw();
  freeHand->Draw();
  rightLeg->Draw();
  leftLeg->Draw();
  gun->Draw();
  enemies->Draw();
  stage->Draw();
  items->Draw();

  shaders.cbObject.Data().g_LightEnable = 0;
  sky->Draw();
  shaders.cbObject.Data().g_LightEnable = 1;

  device.SetDepthStencilState(depthTestNoWrite);
  device.SetBlendState(additiveBlend);
  enemies->DrawShields();
  effects->DrawModels();

  device.SetBlendState(alphaBlend);
  device.SetDepthStencilState(depthTestWrite);

  shaders.BeginEffect();
  device.SetDepthStencilState(depthTestNoWrite);
  device.SetBlendState(additiveBlend);
  playerShots->Draw();
  enemyShots->Draw();
  effects->Draw();

  device.SetBlendState(alphaBlend);
  device.SetDepthStencilState(depthTestWrite);

  device.BeginOverlay();
  BeginSprite(false, true);
  // The 2D step of the effects, then the HUD.
  effects->Draw2D();
  hud->Draw();
  EndSprite();
}
