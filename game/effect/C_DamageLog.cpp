#include "game/effect/C_DamageLog.h"

#include <cstdio>
#include <cstring>

#include "framework/VelShaderManager.h"
#include "framework/VelSprite.h"

namespace {
constexpr float kFadeStep = 0.05f;
constexpr float kDigitSpacing = 20.0f;
// Glyph rectangles of the digits in the sheet. The 9 starts at 179, inside
// the 8's cell; the sheet draws both glyphs narrow so neither shows in the other.
constexpr VelSpriteRect kDigits[10] = {{0, 0, 20, 25},   {21, 0, 20, 25},  {42, 0, 20, 25},  {63, 0, 20, 25},
                                       {84, 0, 20, 25},  {105, 0, 20, 25}, {126, 0, 20, 25}, {147, 0, 20, 25},
                                       {168, 0, 20, 25}, {179, 0, 20, 25}};
}  // namespace

C_DamageLog::C_DamageLog(int value) {
  counter = value;
  color = {1, 1, 1, 1};
  position = {50, 30, 0};
  world = MatrixTranslation(position);
  LoadSheet("dmgNum2.png");
}

bool C_DamageLog::Update() {
  color.w -= kFadeStep;
  world = world * MatrixTranslation(0.5f, 0.9f, 0.0f);
  if (color.w <= 0.0f) {
    color.w = 0.0f;
    return false;
  }
  return true;
}

void C_DamageLog::Draw2D() {
  char text[16];
  std::snprintf(text, sizeof text, "%d", counter);
  VelConstantBuffer<VelCbSprite>& sprite = VelShaderManager::GetInstance().spriteShader.cbSprite;
  const float4 tint{1, 1, 1, color.w};
  float4x4 transform = world;
  for (int i = int(std::strlen(text)) - 1; i >= 0; --i) {
    // Data() marks the buffer dirty, so each digit uploads its own transform.
    sprite.Data().g_mTransform = transform;
    const int digit = text[i] - '0';
    if (digit >= 0 && digit <= 9 && texture.IsValid()) {
      const VelSpriteRect& glyph = kDigits[digit];
      DrawSprite(&texture, 0, 0, glyph.width, glyph.height, &glyph, &tint, {1, 1});
    }
    transform = transform * MatrixTranslation(-kDigitSpacing, 0.0f, 0.0f);
  }
}
