#pragma once

#include <initializer_list>

#include "framework/VelMath.h"
#include "framework/VelModel.h"

class GameScene;

// Every enemy: a model placed by a world matrix, hit points, contact damage, a
// collision sphere and the tint that shows damage. Derived kinds load their
// model and drive a state machine from Update.
class C_Enemy {
 public:
  explicit C_Enemy(const float3& position);
  virtual ~C_Enemy();
  // One frame; false means the enemy is dead and its manager removes it.
  virtual bool Update(GameScene* scene);
  virtual void Draw();
  virtual const VelModel& GetModel() const;
  virtual const float4x4& GetMatrix() const;
  virtual int GetHp() const;
  virtual int GetMaxHp() const;
  virtual void SetHp(int value);
  virtual float GetRadius() const;
  virtual int GetPower() const;
  virtual void SetColor(float r, float g, float b, float a);
  // Shifts the position; the orientation stays.
  virtual void Move(const float3& offset);

  // Names for traces: the kind of enemy and the class of its current state.
  virtual const char* KindName() const = 0;
  virtual const char* StateName() const = 0;

  float3 GetPosition() const { return world.Translation(); }

  VelModel model;
  float4x4 world;
  int hp = 0;
  int maxHp = 0;
  int power = 0;
  float radius = 0.0f;
  float4 tint{0.0f, 0.0f, 0.0f, 1.0f};
  bool spawned = false;

 protected:
  // The first steps of every kind's update: the announcement on the first
  // call, then false when dead, then one unit of fall along the up axis.
  bool BeginUpdate(GameScene* scene);
  // Keeps the enemy off the solid parts: the floor below, then the listed
  // parts of the stage's collision set (StagePart) ahead. The push accumulates over the
  // queries and is applied whole after each one that hits.
  void CollideWithStage(GameScene* scene, std::initializer_list<int> forwardParts);
};
