#include "platform/Letterbox.h"

#include <algorithm>
#include <cmath>

Letterbox Letterbox::Fit(int frameWidth, int frameHeight, int outputWidth, int outputHeight) {
  Letterbox box;
  box.width = frameWidth;
  box.height = frameHeight;
  if (frameWidth <= 0 || frameHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) return box;
  box.scale = std::min(static_cast<double>(outputWidth) / frameWidth,
                       static_cast<double>(outputHeight) / frameHeight);
  box.offsetX = (outputWidth - frameWidth * box.scale) / 2.0;
  box.offsetY = (outputHeight - frameHeight * box.scale) / 2.0;
  box.x = static_cast<int>(std::lround(box.offsetX));
  box.y = static_cast<int>(std::lround(box.offsetY));
  box.width = static_cast<int>(std::lround(frameWidth * box.scale));
  box.height = static_cast<int>(std::lround(frameHeight * box.scale));
  return box;
}

PlatformPoint Letterbox::FrameToOutput(PlatformPoint p) const {
  return {static_cast<int>(std::floor(offsetX + (p.x + 0.5) * scale)),
          static_cast<int>(std::floor(offsetY + (p.y + 0.5) * scale))};
}

PlatformPoint Letterbox::OutputToFrame(PlatformPoint p) const {
  return {static_cast<int>(std::floor((p.x + 0.5 - offsetX) / scale)),
          static_cast<int>(std::floor((p.y + 0.5 - offsetY) / scale))};
}
