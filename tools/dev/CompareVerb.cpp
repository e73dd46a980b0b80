// compare A.png B.png [--diff OUT.png]: how far two captures of one frame are
// apart (the Direct3D 11 and the OpenGL backend, say), colour channels only.

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "tools/dev/DevCommon.h"
#include "tools/dev/DevVerbs.h"

namespace {

// A channel that differs by more than this counts the pixel as different:
// rounding and filtering differences between backends stay below it.
constexpr int kDifferentAbove = 16;

using Pixels = std::unique_ptr<stbi_uc, void (*)(void*)>;

Pixels LoadRgba(const std::string& path, int& width, int& height) {
  int channels = 0;
  return Pixels(stbi_load(path.c_str(), &width, &height, &channels, 4), stbi_image_free);
}

}  // namespace

int RunCompareVerb(const DevArgs& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--diff"))
    return DevUsageError("compare A.png B.png [--diff OUT.png]");
  int wa = 0, ha = 0, wb = 0, hb = 0;
  Pixels a = LoadRgba(args[0], wa, ha);
  Pixels b = LoadRgba(args[1], wb, hb);
  if (!a || !b) return DevUsageError("compare: cannot read " + (a ? args[1] : args[0]));
  if (wa != wb || ha != hb) return DevUsageError("compare: the images differ in size");

  const size_t count = size_t(wa) * size_t(ha);
  std::vector<stbi_uc> diff(count * 3);
  double sum = 0;
  int largest = 0;
  size_t different = 0;
  for (size_t p = 0; p < count; ++p) {
    int worst = 0;
    for (int c = 0; c < 3; ++c) {
      const int d = std::abs(int(a.get()[p * 4 + c]) - int(b.get()[p * 4 + c]));
      sum += d;
      worst = std::max(worst, d);
      diff[p * 3 + c] = stbi_uc(std::min(255, d * 4));
    }
    largest = std::max(largest, worst);
    if (worst > kDifferentAbove) ++different;
  }
  if (args.size() == 4 && !stbi_write_png(args[3].c_str(), wa, ha, 3, diff.data(), wa * 3))
    return DevUsageError("compare: cannot write " + args[3]);

  nlohmann::json result;
  result["width"] = wa;
  result["height"] = ha;
  result["meanDifference"] = count ? sum / double(count * 3) : 0.0;
  result["largestDifference"] = largest;
  result["differentPixels"] = different;
  result["differentFraction"] = count ? double(different) / double(count) : 0.0;
  DevPrint(result);
  return 0;
}
