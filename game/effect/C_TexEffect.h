#pragma once

// A camera-facing textured quad animated through a sprite sheet. Each concrete
// effect overrides exactly one of the two updates: UpdateWithScene when it
// follows something in the scene, Update otherwise. An update returning false
// means the effect has finished and its owner deletes it.

#include <string>

#include "framework/VelBuffer.h"
#include "framework/VelEffectShader.h"
#include "framework/VelMath.h"
#include "framework/VelTexture.h"

class GameScene;

class C_TexEffect {
 public:
  virtual ~C_TexEffect();
  virtual bool UpdateWithScene(GameScene* scene);
  virtual bool Update();
  // Binds the quad, the sheet and g_mW and draws the strip; an effect without
  // a vertex buffer draws nothing.
  virtual void Draw();
  virtual void Draw2D();
  // The class name, for traces.
  virtual const char* ClassName() const = 0;

  VelBuffer vertexBuffer;
  VelTexture texture;
  float4 color{0, 0, 0, 0};
  float4x4 world;
  float3 position{0, 0, 0};
  int counter = 0;

 protected:
  // Loads "Data/Effect/<file>"; a file that fails leaves the texture empty.
  void LoadSheet(const std::string& file);
  // The 144-byte dynamic buffer of the quad's four vertices.
  void CreateQuadBuffer();
  // Writes the quad of half size H with the texture window and `color`.
  void WriteQuad(float halfSize, float uLeft, float vTop, float uRight, float vBottom);
  // The cell of a strip of `cells` cells shown `framesPerCell` updates each.
  void WriteStripQuad(float halfSize, int cells, int framesPerCell);
  // The cell `counter` of a grid of cellWidth x cellHeight pixel cells in `columns` columns.
  void WriteGridQuad(float halfSize, int cellWidth, int cellHeight, int columns);
  // Counts one drawn frame; false (counter back at 0) once `lifetime` frames are done.
  bool Advance(int lifetime);
  // world = offset x (the camera's rotation) x translation to the position.
  void Billboard(const float3& offset = {0, 0, 0});
  // Counter-driven sheet animation: write the cell, count the frame, face the camera.
  bool AnimateStrip(float halfSize, int cells, int framesPerCell, int lifetime, const float3& offset = {0, 0, 0});
  bool AnimateGrid(float halfSize, int cellWidth, int cellHeight, int columns, int lifetime,
                   const float3& offset = {0, 0, 0});
  // The whole sheet at half size `size`, which then shrinks by `step`; false
  // (size 0) once it is gone.
  bool Shrink(float& size, float step, const float3& offset);
};

// The four strip vertices of a quad of half size H: top-left, top-right,
// bottom-left, bottom-right, in the quad's own plane (z = 0).
void BuildEffectQuad(float halfSize, float uLeft, float vTop, float uRight, float vBottom, const float4& color,
                     VelEffectVertex out[4]);

// Where the charge glows sit: a point ahead of the gun's muzzle, in world space.
float3 GunMuzzlePoint(const GameScene& scene);
