#include "game/enemy/C_NormalBullet.h"

#include "framework/VelCollision.h"
#include "framework/VelEffectShader.h"
#include "framework/VelSoundManager.h"
#include "game/effect/C_EffectManager.h"
#include "game/enemy/EnemySteering.h"
#include "game/stage/StageObjects.h"
#include "scene/GameScene.h"

namespace {
constexpr float kSpeed = 2.0f;
constexpr int kLastAnimationCount = 16;
}  // namespace

C_NormalBullet::C_NormalBullet(GameScene* scene, const float3& from) {
  vertexBuffer.Create(VelBind::VertexBuffer, 4 * sizeof(VelEffectVertex), VelUsage::Dynamic, nullptr);
  texture.Load("Data/Enemy/enemyBullet.png");
  position = from;
  positionMatrix.SetTranslation(position);
  const float3 aim = scene->player->GetPosition() + float3{0.0f, 2.0f, 0.0f} - position;
  velocity = Length(aim) > kSpeed ? Normalize(aim) * kSpeed : aim;
  radius = 1.0f;
  power = 1;
}

void C_NormalBullet::WriteQuad() {
  // The counter's last value selects a fifth cell beyond the four of the sheet.
  const int f = animationCounter / 4;
  const float u = static_cast<float>(f) * 0.25f;
  const float uNext = static_cast<float>(f + 1) * 0.25f;
  const float4 white{1.0f, 1.0f, 1.0f, 1.0f};
  const VelEffectVertex quad[4] = {{{-1.0f, 1.0f, 0.0f}, {u, 0.0f}, white},
                                   {{1.0f, 1.0f, 0.0f}, {uNext, 0.0f}, white},
                                   {{-1.0f, -1.0f, 0.0f}, {u, 1.0f}, white},
                                   {{1.0f, -1.0f, 0.0f}, {uNext, 1.0f}, white}};
  vertexBuffer.WriteData(quad, sizeof quad);
  if (++animationCounter > kLastAnimationCount) animationCounter = 0;
}

bool C_NormalBullet::HitsWall(const GameScene& scene) const {
  const auto parts = scene.stage->CollisionSet();
  const float3 direction = Normalize(velocity);
  for (int index : {StagePart::Stage, StagePart::Door, StagePart::LeftBossDoor, StagePart::RightBossDoor}) {
    float distance = 0.0f;
    float3 push;
    if (RayPushOut(*parts[index].model, *parts[index].world, position, direction, distance, push))
      return true;
  }
  return false;
}

bool C_NormalBullet::Update(GameScene* scene) {
  WriteQuad();
  const float4x4 facing = CameraFacingRotation();
  position += velocity;
  positionMatrix = MatrixTranslation(position);
  world = MatrixTranslation(0.0f, 1.0f, 4.0f) * facing * positionMatrix;

  if (Distance(position, scene->player->GetPosition()) > kMaxDistanceFromPlayer) return false;

  if (--wallDelay >= 1) return true;
  wallDelay = 0;
  if (!HitsWall(*scene)) return true;
  scene->effects->AddEffect(world.Translation(), EffectKind::HitBullet);
  VelSoundManager::GetInstance().Play("Data/Sound/hitEnemyBullet.wav", 0.3f);
  return false;
}
