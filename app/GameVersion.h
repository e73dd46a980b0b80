#pragma once

// The game's version, as the window title and replay files name it.
#define HALVANE_VERSION "0.9.7"
