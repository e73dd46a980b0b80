#pragma once

// One screen of the game with everything it owns. The scene manager calls
// Frame once per pass of the main loop; the slots below keep this order.
class Scene {
 public:
  virtual ~Scene() = default;
  // Update, then SetCamera, then Draw.
  virtual void Frame();
  virtual void Draw() {}
  // Advances the scene's logic by one frame.
  virtual void Update() {}
  // Clears the buffers and loads the frame's view and projection.
  virtual void SetCamera() {}
};
