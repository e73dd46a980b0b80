#include "platform/win32/Win32CaptureRequest.h"

#include <cctype>

bool ParseWin32CaptureRequest(const std::string& text, Win32CaptureRequest& request) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  Win32CaptureRequest parsed;
  parsed.directory = text.substr(0, colon);
  std::string number;
  const std::string list = text.substr(colon + 1) + ",";
  for (char c : list) {
    if (c != ',') {
      if (!std::isdigit(static_cast<unsigned char>(c)) || number.size() >= 9) return false;
      number += c;
      continue;
    }
    if (number.empty()) return false;
    parsed.frames.insert(std::stol(number));
    number.clear();
  }
  request = parsed;
  return true;
}
