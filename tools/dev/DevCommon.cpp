#include "tools/dev/DevCommon.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "framework/VelGraphicsDevice.h"

bool DevInitHeadlessGraphics() {
  std::string error;
  if (!VelGraphicsDevice::GetInstance().Init(nullptr, 1280, 720, false, error)) {
    std::cerr << "halvane-dev: headless graphics failed: " << error << "\n";
    return false;
  }
  return true;
}

void DevReleaseGraphics() {
  VelGraphicsDevice::GetInstance().Release();
}

std::vector<std::string> DevCaptureStdoutLines(const std::function<void()>& fn) {
  std::fflush(stdout);
  FILE* capture = std::tmpfile();
  const int saved = capture ? dup(STDOUT_FILENO) : -1;
  if (saved < 0 || dup2(fileno(capture), STDOUT_FILENO) < 0) {
    // Nothing to capture into: run anyway, the lines go where they would.
    if (saved >= 0) close(saved);
    if (capture) std::fclose(capture);
    fn();
    return {};
  }
  fn();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);

  std::string text;
  std::rewind(capture);
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, capture)) > 0) text.append(chunk, n);
  std::fclose(capture);

  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool DevParseFloat(const std::string& text, float* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const float v = std::strtof(text.c_str(), &end);
  if (*end != '\0' || errno == ERANGE) return false;
  *out = v;
  return true;
}

int DevUsageError(const std::string& message) {
  std::cerr << "halvane-dev: " << message << "\n";
  return 2;
}

nlohmann::json DevJson(const float2& v) {
  return {v.x, v.y};
}
nlohmann::json DevJson(const float3& v) {
  return {v.x, v.y, v.z};
}
nlohmann::json DevJson(const float4& v) {
  return {v.x, v.y, v.z, v.w};
}

nlohmann::json DevJson(const float4x4& m) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& row : m.m)
    for (float v : row) out.push_back(v);
  return out;
}

void DevPrint(const nlohmann::json& object) {
  std::cout << object.dump() << "\n";
  std::cout.flush();
}
