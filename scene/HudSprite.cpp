#include "scene/HudSprite.h"

#include "framework/VelCollision.h"
#include "framework/VelShaderManager.h"
#include "framework/VelTexture.h"

void DrawHudSprite(const VelTexture& texture, const float4x4& transform, const VelSpriteRect& source,
                   float alpha, float2 pivot) {
  VelShaderManager::GetInstance().spriteShader.cbSprite.Data().g_mTransform = transform;
  float4 colour{1.0f, 1.0f, 1.0f, alpha};
  DrawSprite(&texture, 0, 0, source.width, source.height, &source, &colour, pivot);
}

float2 HudCursor() {
  float3 cursor = GetCursorPosCentered();
  return {cursor.x, cursor.y};
}

bool OnButton(const VelTexture& texture, const float4x4& transform, float2 point) {
  return PointInRect(transform.m[3][0], transform.m[3][1], float(texture.GetWidth()),
                     float(texture.GetHeight()), point.x, point.y);
}
