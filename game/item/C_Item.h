#pragma once

#include <string>

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// A pickup on the ground. It spins in place until the player touches it;
// the touch applies its effect once and the item is removed.
class C_Item {
 public:
  explicit C_Item(const float3& position);
  virtual ~C_Item() = default;
  // False once picked up: the manager then deletes the item.
  virtual bool Update(GameScene* scene);
  virtual void Draw();
  virtual const char* ClassName() const { return "C_Item"; }

  VelModel model;
  float4x4 world;
  float3 position;
  float4x4 spin;
  float radius = 1.0f;
  bool picked = false;

 protected:
  // Turns the item by its step and tells whether the player touches it.
  bool SpinAndTouch(const GameScene& scene);
  // The pickup sound, played once whatever happens after.
  void PlayPickupSound(const std::string& fileName);
};
