#pragma once

// The icon of the game window (task bar, title bar, window switcher), read
// from the asset tree like every other picture.

#include <string>

// The window's icon below the working directory.
extern const char* const kWindowIconFile;

// Decodes the PNG at `path` and gives it to the platform's window. A missing
// or broken file leaves the system's default icon and returns false; the game
// starts either way.
bool SetWindowIconFromFile(const std::string& path);
