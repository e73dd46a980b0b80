#pragma once

// The game's icon: the title's steel H over a cyan rail on a dusk-blue plate.
// Each size is drawn afresh from the same shapes, so the small ones keep crisp
// strokes instead of being scaled down from the large one.

#include <string>

#include "textures/Canvas.h"
#include "textures/Font.h"

// The icon at size x size pixels (16 and up); details too fine for the size
// (the rail's amber tips, the rail itself below 32 pixels) are left out.
Canvas DrawIcon(const Font& font, int size);

// Writes Icon/halvane-48.png, -128.png and -256.png below dataRoot (the
// desktop's icons; the game gives its window the 128-pixel one) and
// Icon/halvane.ico with 16, 32, 48 and 256 pixels for the Windows exe.
bool GenerateIcons(const std::string& dataRoot);
