#pragma once

#include "framework/VelMath.h"
#include "framework/VelModel.h"

// A translucent sphere that a boss raises around itself. Only charged shots
// hurt it; normal bullets glance off.
class C_Shield {
 public:
  virtual ~C_Shield();
  // Follows the given position for one frame; false once it is gone.
  virtual bool Update(const float3& position);
  virtual void Draw();
  virtual const VelModel& GetModel() const;
  virtual const float4x4& GetMatrix() const;
  virtual int GetHp() const;
  virtual int GetMaxHp() const;
  virtual void SetHp(int value);
  virtual float GetRadius() const;
  // Unclamped: a hit may take it below zero, and the fade-in brings it back.
  virtual void AddOpacity(float delta);

  VelModel model;
  float4x4 world;
  int hp = 0;
  int maxHp = 0;
  float radius = 0.0f;
  float opacity = 0.0f;
};
