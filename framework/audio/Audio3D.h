#pragma once

// The listener and the emitter of positioned sound, in the game's left-handed,
// y-up world.

#include "framework/VelMath.h"

struct AudioListener {
  float3 OrientFront{0, 0, 1};
  float3 OrientTop{0, 1, 0};
  float3 Position;
  float3 Velocity;
};

struct AudioEmitter {
  static constexpr int kMaxChannels = 64;

  float3 OrientFront{0, 0, 1};
  float3 OrientTop{0, 1, 0};
  float3 Position;
  float3 Velocity;
  float InnerRadius = 0;
  float InnerRadiusAngle = 0;
  int ChannelCount = 1;
  float ChannelRadius = 0;
  float ChannelAzimuths[kMaxChannels] = {};
  // Distance at which attenuation starts; beyond it the level falls as
  // CurveDistanceScaler / distance.
  float CurveDistanceScaler = 1;
  float DopplerScaler = 1;
};
