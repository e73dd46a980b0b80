#include "game/effect/C_PushAttack.h"

#include "framework/VelCollision.h"

namespace {
constexpr float kGrowStep = 0.06f;
constexpr float kFadeStep = 0.03f;
}  // namespace

C_PushAttack::C_PushAttack(const float4x4& orientation, const float3& position) {
  model.Load("Data/Effect/PushAttack.gltf");
  this->position = position;
  world = MatrixTranslation(position);
  alpha = 1.0f;
  scale = 1.0f;
  const float3 forward = orientation.Row(2);
  rotation = MatrixRotationY(YawFromDirection(forward.x, forward.y, forward.z) * kDegToRad);
}

bool C_PushAttack::Update() {
  scale += kGrowStep;
  alpha -= kFadeStep;
  scaling = MatrixScaling(scale);
  translation = MatrixTranslation(position);
  world = rotation * scaling * translation;
  if (alpha <= 0.0f) {
    alpha = 0.0f;
    return false;
  }
  return true;
}
