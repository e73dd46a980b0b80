#pragma once

#include "framework/VelMath.h"
#include "framework/VelTexture.h"

// The gun's picture with its two item frames; an item's picture fades into
// its frame once it was collected and stays.
class ItemSlots {
 public:
  ItemSlots();
  void Update();
  void Draw();

  VelTexture gun;
  VelTexture frame;
  VelTexture magazine;
  VelTexture attachment;
  float4x4 gunTransform;
  float4x4 attachmentFrameTransform;
  float4x4 magazineFrameTransform;
  bool magazineCollected = false;
  bool attachmentCollected = false;
  float magazineOpacity = 0.0f;
  float attachmentOpacity = 0.0f;
};
