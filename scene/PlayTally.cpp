#include "scene/PlayTally.h"

#include "scene/GameScene.h"

void PlayTally::Observe(const Scene* current) {
  if (current != last) {
    if (last) ++sceneChanges;
    last = current;
    deathCounted = false;
  }
  const auto* game = dynamic_cast<const GameScene*>(current);
  inGame = game != nullptr;
  if (!game) return;
  kill = game->killCount;
  hp = game->player->GetHP();
  if (game->hud->clearScreen->active) cleared = true;
  if (game->hud->deadScreen->active && !deathCounted) {
    deathCounted = true;
    ++deaths;
  }
}

std::string PlayTally::SummaryLine(uint64_t frames) const {
  return std::string("{\"cleared\":") + (cleared ? "true" : "false") + ",\"kill\":" + std::to_string(kill) +
         ",\"frames\":" + std::to_string(frames) + ",\"hp\":" + std::to_string(hp) +
         ",\"deaths\":" + std::to_string(deaths) + ",\"sceneChanges\":" + std::to_string(sceneChanges) +
         ",\"scene\":\"" + (inGame ? "game" : "title") + "\"}";
}
