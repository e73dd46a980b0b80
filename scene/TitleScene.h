#pragma once

#include "app/Scene.h"
#include "framework/VelMath.h"
#include "framework/VelModel.h"
#include "framework/VelTexture.h"

// The first screen and the one the game returns to: a still tableau of the
// player facing the three enemies in distance fog, the logo and a pulsing
// prompt. A click anywhere shows a bullet hole there, fades out and starts a
// new game.
class TitleScene : public Scene {
 public:
  TitleScene();
  ~TitleScene() override;
  // Update, the fixed camera with its fog, Draw; then the fog is switched off
  // again for whoever draws next.
  void Frame() override;
  void Update() override;
  void Draw() override;

  VelTexture logo;
  VelTexture startPrompt;
  VelTexture fade;
  VelTexture bulletHole;
  float4x4 logoTransform;
  float4x4 promptTransform;
  float4x4 fadeTransform;
  float4x4 bulletHoleTransform;
  VelModel player;
  float4x4 playerWorld;
  VelModel firstHand;
  float4x4 firstHandWorld;
  VelModel secondHand;
  float4x4 secondHandWorld;
  VelModel gun;
  float4x4 gunWorld;
  VelModel ground;
  float4x4 groundWorld;
  VelModel redEnemy;
  float4x4 redEnemyWorld;
  VelModel blueEnemy;
  float4x4 blueEnemyWorld;
  VelModel yellowEnemy;
  float4x4 yellowEnemyWorld;
  float fadeOpacity = 0.0f;
  bool clicked = false;
  bool showBulletHole = false;
  float promptOpacity = 1.0f;
  bool promptFadingDown = true;
  bool musicStarted = false;

 private:
  void SetTitleCamera();
};
