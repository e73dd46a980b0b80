#pragma once

#include "framework/VelMath.h"

class GameScene;

// The third-person camera: over the player's right shoulder, pitched with the
// aim, pulled in front of walls and lifted in a short saw-tooth while running.
class Camera {
 public:
  explicit Camera(GameScene* scene);
  void Update(float pitch);
  // Clears the frame and loads view and projection into the shader manager.
  // Before the first update (a scene that starts in an inactive window) it
  // first takes the pose that update would give, so the world is seen.
  void SetView();

  const float3& GetEye() const { return eye; }
  const float3& GetTarget() const { return target; }
  const float3& GetViewDirection() const { return viewDirection; }
  const float4x4& GetView() const { return view; }

  GameScene* scene;
  float4x4 cameraMatrix;
  float4x4 pitchMatrix;
  float4x4 playerMatrix;
  float3 bobOffset;
  float4x4 bobMatrix;
  float bobCountdown = 0.0f;
  bool bobActive = false;
  float3 eye;
  float3 target;
  float3 up;
  float3 viewDirection;
  float4x4 view;
  bool aimed = false;

 private:
  // Places eye and target behind the shoulder of a player with this world
  // matrix, at the pitch, in front of any wall between them.
  void Aim(float pitch, const float4x4& playerWorld);
};
