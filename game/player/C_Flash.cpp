#include "game/player/C_Flash.h"

#include "game/enemy/C_EnemyBullet.h"
#include "game/player/BillboardQuad.h"
#include "game/player/Gun.h"
#include "scene/GameScene.h"

C_Flash::~C_Flash() {
  vertexBuffer.Release();
  texture.Release();
}

bool C_Flash::Update(GameScene*) {
  return true;
}

void C_Flash::Draw() {
  DrawBillboardQuad(vertexBuffer, texture, world);
}

void C_Flash::PlaceOnMuzzle(const GameScene& scene, const float3& muzzlePoint, const float4x4& facing) {
  const float3 point = TransformCoord(muzzlePoint, scene.gun->GetWorld());
  world = facing * CameraFacingRotation() * MatrixTranslation(point);
}
