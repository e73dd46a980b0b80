// halvane-dev ray FILE ox oy oz dx dy dz [--world 16 numbers]: one ray query
// against the loaded model, and the push-out the same ray gives from a zeroed push.

#include "framework/VelCollision.h"
#include "framework/VelModel.h"
#include "tools/dev/DevCommon.h"
#include "tools/dev/DevVerbs.h"

namespace {

const char* kUsage = "usage: ray FILE ox oy oz dx dy dz [--world m00 m01 .. m33]";

}  // namespace

int RunRayVerb(const DevArgs& args) {
  if (args.size() != 7 && args.size() != 24) return DevUsageError(kUsage);
  float v[6];
  for (int i = 0; i < 6; ++i) {
    if (!DevParseFloat(args[size_t(i) + 1], &v[i]))
      return DevUsageError("not a number: " + args[size_t(i) + 1]);
  }
  float4x4 world;
  if (args.size() == 24) {
    if (args[7] != "--world") return DevUsageError(kUsage);
    for (int i = 0; i < 16; ++i) {
      const std::string& text = args[size_t(i) + 8];
      if (!DevParseFloat(text, &world.m[i / 4][i % 4])) return DevUsageError("not a number: " + text);
    }
  }
  const float3 origin{v[0], v[1], v[2]};
  const float3 direction{v[3], v[4], v[5]};
  if (!DevInitHeadlessGraphics()) return 1;

  VelModel model;
  bool ok = false;
  std::vector<std::string> lines = DevCaptureStdoutLines([&] { ok = model.Load(args[0]); });

  float distance = 0;
  float3 normal;
  const bool hit = RayToModel(model, world, origin, direction, distance, normal);
  float pushDistance = 0;
  float3 push{0, 0, 0};
  const bool pushHit = RayPushOut(model, world, origin, direction, pushDistance, push);

  nlohmann::json out;
  out["ok"] = ok;
  out["stdout"] = lines;
  out["hit"] = hit;
  out["distance"] = hit ? nlohmann::json(distance) : nlohmann::json();
  out["normal"] = hit ? DevJson(normal) : nlohmann::json();
  out["push"] = DevJson(push);
  out["pushHit"] = pushHit;
  DevPrint(out);

  model = VelModel();
  DevReleaseGraphics();
  return 0;
}
