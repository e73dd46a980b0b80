#include "game/effect/C_HealPlayer.h"

#include "game/player/Player.h"
#include "scene/GameScene.h"

namespace {
constexpr float kHalfSize = 4.0f;
constexpr int kLifetime = 60;
}  // namespace

C_HealPlayer::C_HealPlayer() {
  color = {1, 1, 1, 1};
  CreateQuadBuffer();
  LoadSheet("healPlayer2.png");
}

bool C_HealPlayer::UpdateWithScene(GameScene* scene) {
  position = scene->player->GetPosition();
  return AnimateStrip(kHalfSize, 10, 6, kLifetime);
}
