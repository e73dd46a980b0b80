#pragma once

// The Windows game's capture request, "DIR:F1,F2,...": the folder to write
// into and the frames to save. A drive letter's colon belongs to the folder
// ("C:\shots:30,90"), so the last colon separates the two.

#include <set>
#include <string>

struct Win32CaptureRequest {
  std::string directory;
  std::set<long> frames;
};

// False (request untouched) for an empty folder, no frames, or a frame that
// is not a non-negative whole number.
bool ParseWin32CaptureRequest(const std::string& text, Win32CaptureRequest& request);
