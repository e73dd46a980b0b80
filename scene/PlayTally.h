#pragma once

// What a run of the game came to, watched after every frame: whether the game
// was cleared, the defeats and hit points of the last play-through, how often
// the player fell, how many scene changes. Its summary line is the one the
// autopilot's runs end with, so a watched replay can be checked against the
// run it recorded.

#include <cstdint>
#include <string>

class Scene;

class PlayTally {
 public:
  // After each frame, with the scene that ran it.
  void Observe(const Scene* current);

  bool Cleared() const { return cleared; }
  int Kill() const { return kill; }
  int Hp() const { return hp; }
  int Deaths() const { return deaths; }
  int SceneChanges() const { return sceneChanges; }
  bool InGame() const { return inGame; }

  // {"cleared":..,"kill":..,"frames":..,"hp":..,"deaths":..,"sceneChanges":..,"scene":"game"|"title"}
  std::string SummaryLine(uint64_t frames) const;

 private:
  const Scene* last = nullptr;
  bool deathCounted = false;
  bool cleared = false;
  bool inGame = false;
  int kill = 0;
  int hp = 0;
  int deaths = 0;
  int sceneChanges = 0;
};
