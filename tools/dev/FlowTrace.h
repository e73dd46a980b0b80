#pragma once

// Trace fields of the items, the HUD with its game-flow screens and the title.

#include "tools/dev/RunTrace.h"

class GameScene;
class TitleScene;

// "items": [{"class", "pos"}] in list order.
void TraceItems(JsonLine& line, const GameScene& game);
// "hud": the fade, the boss warning, the clear and dead screens and the
// displays the player's state switches.
void TraceHud(JsonLine& line, const GameScene& game);
// "title": the fade, the click and the prompt.
void TraceTitle(JsonLine& line, const TitleScene& title);
