#pragma once

// Holds the running scene and switches scenes between frames, so a scene can
// ask for its successor in the middle of its own update without being deleted
// under its feet.

#include <memory>

#include "app/Scene.h"

class SceneManager {
 public:
  static SceneManager& GetInstance();

  // Requests the scene that runs from the next Update on. The manager takes
  // ownership at once: a request replaced by another before the switch is
  // deleted. Requesting the running scene cancels a pending request; a null
  // scene ends the current one and runs nothing.
  void ChangeScene(std::unique_ptr<Scene> scene);
  void ChangeScene(Scene* scene);

  // Once per pass of the main loop: deletes the old scene and switches if
  // another was requested, then runs the current scene's Frame. With draw
  // false (a frame whose drawing is skipped) its Update and SetCamera but
  // not its Draw: the camera's view is game state too (the enemies' bullets
  // turn to face it), so it is loaded on every frame.
  void Update(bool draw = true);

  Scene* Current() const { return current.get(); }
  bool HasPendingChange() const { return requested; }
  // Deletes the current and any requested scene (between runs of the loop in
  // one process).
  void Reset();

  // Set by a fade when it has just requested a scene change, cleared by a fade
  // that is not complete; the manager itself never reads or writes it.
  bool changePending = false;

  SceneManager() = default;
  SceneManager(const SceneManager&) = delete;
  SceneManager& operator=(const SceneManager&) = delete;

 private:
  std::unique_ptr<Scene> current;
  std::unique_ptr<Scene> next;
  bool requested = false;
};
