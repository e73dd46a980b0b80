#include "tools/dev/Autopilot.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/VelCollision.h"
#include "scene/GameScene.h"
#include "scene/TitleScene.h"

namespace {
constexpr float kPixelsPerDegree = 12.0f;  // the player's mouse look
constexpr float kMaxTurn = 20.0f;          // degrees of mouse motion in one frame
constexpr float kMinPitch = -40.0f, kMaxPitch = 35.0f;
constexpr float kShotRange = 105.0f;   // bullets fade at 115 from the player
constexpr float kEngageRange = 60.0f;  // closer than this the bot stops walking up
constexpr int kChargeFull = 50;        // frames of holding; the charge is full after 46
constexpr int kTitleLookFrames = 60;   // a player takes in the title before clicking
constexpr int kCursorGlide = 30;       // pixels per frame toward a button
constexpr int kStuckFrames = 45;

float Wrap180(float degrees) {
  while (degrees > 180.0f) degrees -= 360.0f;
  while (degrees < -180.0f) degrees += 360.0f;
  return degrees;
}

float3 Flat(const float3& v) {
  return {v.x, 0.0f, v.z};
}

bool Is(const char* a, const char* b) {
  return std::strcmp(a, b) == 0;
}

// Local walking directions of the W/A/S/D combinations, and their keys.
struct Walk {
  float x, z;
  int keys[2];
};
const Walk kWalks[8] = {
    {0.0f, 1.0f, {Key::W, 0}},  {0.7071f, 0.7071f, {Key::W, Key::D}},
    {1.0f, 0.0f, {Key::D, 0}},  {0.7071f, -0.7071f, {Key::S, Key::D}},
    {0.0f, -1.0f, {Key::S, 0}}, {-0.7071f, -0.7071f, {Key::S, Key::A}},
    {-1.0f, 0.0f, {Key::A, 0}}, {-0.7071f, 0.7071f, {Key::W, Key::A}},
};

float3 WalkInWorld(const Walk& walk, float yawDegrees) {
  const float c = std::cos(yawDegrees * kDegToRad), s = std::sin(yawDegrees * kDegToRad);
  return {walk.x * c + walk.z * s, 0.0f, -walk.x * s + walk.z * c};
}

bool SegmentClear(const GameScene& game, const float3& from, const float3& to) {
  const float3 d = to - from;
  const float length = Length(d);
  if (length <= 0.0f) return true;
  const float3 dir = d / length;
  for (const CollisionPart& part : game.stage->CollisionSet()) {
    float distance = 0.0f;
    float3 normal;
    if (RayToModel(*part.model, *part.world, from, dir, distance, normal) && distance < length - 1.0f) {
      return false;
    }
  }
  return true;
}

// Distance from p to the segment a..b.
float SegmentDistance(const float3& a, const float3& b, const float3& p) {
  const float3 ab = b - a;
  const float lengthSquared = LengthSquared(ab);
  float t = lengthSquared > 0.0f ? Dot(p - a, ab) / lengthSquared : 0.0f;
  t = std::min(1.0f, std::max(0.0f, t));
  return Distance(a + ab * t, p);
}

// Distance from p to the ray from origin along the unit direction (behind
// the origin counts as far away).
float RayDistance(const float3& origin, const float3& dir, const float3& p) {
  const float t = Dot(p - origin, dir);
  if (t < 0.0f) return 1e9f;
  return Distance(origin + dir * t, p);
}
}  // namespace

RunFrameInput Autopilot::Decide(const Scene* current, bool sceneChangePending, int pointerX, int pointerY) {
  cursorX = pointerX;
  cursorY = pointerY;
  if (current != scene) {
    scene = current;
    sceneFrames = 0;
    deathCounted = false;
    route.clear();
    tracks.clear();
    chargeFrames = 0;
    stuckFrames = 0;
  } else {
    ++sceneFrames;
  }
  // The fade is complete and the next screen is on its way.
  if (sceneChangePending || !current) return {};
  if (const auto* title = dynamic_cast<const TitleScene*>(current)) {
    if (sawClear) {
      finished = true;
      cleared = true;
      return {};
    }
    return OnTitle(*title);
  }
  if (const auto* game = dynamic_cast<const GameScene*>(current)) return OnGame(*game);
  return {};
}

RunFrameInput Autopilot::OnTitle(const TitleScene& title) {
  RunFrameInput input;
  if (!title.clicked && sceneFrames >= kTitleLookFrames) input.keys.push_back(Key::LButton);
  return input;
}

RunFrameInput Autopilot::ClickButton(const float4x4& buttonTransform, bool ready) {
  const float3 centre = buttonTransform.Translation();
  const int targetX = 640 + static_cast<int>(centre.x), targetY = 360 - static_cast<int>(centre.y);
  RunFrameInput input;
  input.moveCursor = true;
  input.cursorX = cursorX + std::max(-kCursorGlide, std::min(kCursorGlide, targetX - cursorX));
  input.cursorY = cursorY + std::max(-kCursorGlide, std::min(kCursorGlide, targetY - cursorY));
  if (ready && input.cursorX == targetX && input.cursorY == targetY) input.keys.push_back(Key::LButton);
  return input;
}

RunFrameInput Autopilot::OnGame(const GameScene& game) {
  const Player& player = *game.player;
  lastKill = game.killCount;
  lastHp = player.GetHP();
  const Hud& hud = *game.hud;
  if (hud.clearScreen->active) {
    sawClear = true;
    // Once the caption's echo has gone the button shows; it lights up under
    // the pointer.
    const ClearScreen& clear = *hud.clearScreen;
    return ClickButton(clear.buttonTransform, clear.ghostOpacity <= 0.0f && clear.buttonOpacity >= 1.0f);
  }
  if (hud.deadScreen->active) {
    if (!deathCounted) {
      deathCounted = true;
      ++deaths;
    }
    const DeadScreen& dead = *hud.deadScreen;
    return ClickButton(dead.retryButtonTransform, dead.retryButtonOpacity >= 1.0f);
  }
  if (player.GetHP() <= 0 || !player.IsAlive()) return {};
  return Play(game);
}

AutopilotMap::Gates Autopilot::GatesOf(const GameScene& game) const {
  AutopilotMap::Gates gates;
  // The door is open for walking once its lower edge clears the body.
  gates.doorOpen = game.stage->door->world.m[3][1] >= 12.0f;
  gates.bossLeft = game.stage->bossDoor->leftWorld.m[3][0];
  gates.bossRight = game.stage->bossDoor->rightWorld.m[3][0];
  return gates;
}

bool Autopilot::Visible(const GameScene& game, const float3& point) const {
  return SegmentClear(game, game.camera->GetEye(), point) &&
         SegmentClear(game, game.gun->GetWorld().Translation(), point);
}

void Autopilot::AimAt(const GameScene& game, const float3& point, float& yaw, float& pitch) const {
  const Player& player = *game.player;
  // Where the camera's centre ray starts, relative to the body: read back from
  // the camera itself.
  const float3 shoulder = TransformCoord(game.camera->GetTarget(), MatrixInverse(game.camera->cameraMatrix));
  yaw = player.GetYaw();
  pitch = player.GetPitch();
  for (int i = 0; i < 4; ++i) {
    const float4x4 frame = MatrixRotationX(pitch * kDegToRad) * MatrixRotationY(yaw * kDegToRad) *
                           MatrixTranslation(player.GetPosition());
    const float3 v = point - TransformCoord(shoulder, frame);
    yaw = player.GetYaw() + Wrap180(std::atan2(v.x, v.z) * kRadToDeg - player.GetYaw());
    pitch = std::atan2(-v.y, std::sqrt(v.x * v.x + v.z * v.z)) * kRadToDeg;
    pitch = std::min(kMaxPitch, std::max(kMinPitch, pitch));
  }
}

std::vector<Autopilot::Sighting> Autopilot::LookAround(const GameScene& game) {
  std::vector<Sighting> seen;
  std::vector<Track> now;
  const float3 eye = game.camera->GetEye();
  const float3 gun = game.gun->GetWorld().Translation();
  for (const auto& enemy : game.enemies->enemies) {
    if (enemy->GetHp() < 1) continue;
    Sighting s;
    s.enemy = enemy.get();
    s.position = enemy->GetPosition();
    for (const Track& t : tracks) {
      if (t.enemy == s.enemy) s.velocity = s.position - t.position;
    }
    if (Length(s.velocity) > 3.0f) s.velocity = {};
    now.push_back({s.enemy, s.position});
    s.distance = Distance(s.position, game.player->GetPosition());
    s.visible = Visible(game, s.position);
    for (const auto& shield : game.enemies->shields) {
      const float3 c = shield->GetMatrix().Translation();
      const float r = shield->GetRadius() + 1.0f;
      if (SegmentDistance(gun, s.position, c) < r || Distance(eye, c) < r) s.shielded = true;
    }
    seen.push_back(s);
  }
  tracks = now;
  return seen;
}

float3 Autopilot::RouteDirection(const GameScene& game, const float3& goal) {
  const float3 p = game.player->GetPosition();
  const AutopilotMap::Gates gates = GatesOf(game);
  if (route.empty() || routeStep >= route.size() || Distance(Flat(goal), Flat(routeGoal)) > 4.0f ||
      routeAge > 60) {
    route = map.FindPath(p, goal, gates);
    routeStep = 0;
    routeGoal = goal;
    routeAge = 0;
  }
  ++routeAge;
  while (routeStep < route.size() && Length(Flat(route[routeStep] - p)) < 1.5f) ++routeStep;
  while (routeStep + 1 < route.size() && map.LineWalkable(p, route[routeStep + 1], gates)) ++routeStep;
  if (routeStep >= route.size()) {
    if (route.empty()) return {};
    const float3 d = Flat(goal - p);
    return Length(d) > 1.0f ? Normalize(d) : float3{};
  }
  return Normalize(Flat(route[routeStep] - p));
}

float3 Autopilot::Evade(const GameScene& game, const std::vector<Sighting>& seen) const {
  const float3 p = game.player->GetPosition();
  float3 push;
  for (const Sighting& s : seen) {
    const char* state = s.enemy->StateName();
    // A charging or dashing enemy goes straight along its facing: step off
    // that line.
    if (!(Is(state, "C_AttackState") || Is(state, "C_OffenseState")) || s.distance > 45.0f) continue;
    const float3 forward = Normalize(Flat(s.enemy->GetMatrix().Row(2)));
    const float3 rel = Flat(p - s.position);
    const float along = Dot(rel, forward);
    if (along < -4.0f) continue;
    const float3 lateral = rel - forward * along;
    const float off = Length(lateral);
    const float reach = s.enemy->GetRadius() + game.player->GetRadius() + 4.0f;
    if (off >= reach) continue;
    const float3 side =
        off > 0.3f ? lateral / off : float3{forward.z, 0.0f, -forward.x} * static_cast<float>(strafeSign);
    push += side * (1.0f + (reach - off) / reach);
  }
  // Enemy bullets fly straight: step off their line too.
  for (const auto& bullet : game.enemyShots->bullets) {
    const float3 v = bullet->velocity;
    const float speed2 = LengthSquared(v);
    if (speed2 <= 0.0f) continue;
    const float3 rel = p - bullet->GetPosition();
    const float t = Dot(rel, v) / speed2;
    if (t < 0.0f || t > 40.0f) continue;
    const float3 miss = Flat(rel - v * t);
    const float off = Length(miss);
    if (off >= 5.0f) continue;
    const float3 flatV = Normalize(Flat(v));
    const float3 side =
        off > 0.3f ? miss / off : float3{flatV.z, 0.0f, -flatV.x} * static_cast<float>(strafeSign);
    push += side * (1.0f + (5.0f - off) / 5.0f);
  }
  return push;
}

void Autopilot::ChooseKeys(const GameScene& game, const float3& wanted, RunFrameInput& input) const {
  if (Length(wanted) < 0.15f) return;
  const float3 w = Normalize(wanted);
  const float3 p = game.player->GetPosition();
  const AutopilotMap::Gates gates = GatesOf(game);
  const bool onMap = map.Walkable(p.x, p.z, gates);
  int best = -1, closest = 0;
  float bestScore = 0.2f, closestScore = -2.0f;
  for (int k = 0; k < 8; ++k) {
    const float3 dir = WalkInWorld(kWalks[k], game.player->GetYaw());
    const float score = Dot(dir, w);
    if (score > closestScore) {
      closest = k;
      closestScore = score;
    }
    if (score <= bestScore) continue;
    const float3 probe = p + dir * 3.0f;
    const bool ok = onMap ? map.LineWalkable(p, probe, gates) : map.Walkable(probe.x, probe.z, gates);
    if (!ok) continue;
    best = k;
    bestScore = score;
  }
  // Where the map sees no way the body may still find one: try it.
  if (best < 0) best = closest;
  for (int key : kWalks[best].keys) {
    if (key) input.keys.push_back(key);
  }
}

RunFrameInput Autopilot::Play(const GameScene& game) {
  RunFrameInput input;
  const Player& player = *game.player;
  const float3 p = player.GetPosition();
  if (!map.Built()) map.Build(*game.stage, p);

  noise = noise * 1664525u + 1013904223u;
  if (--strafeFrames <= 0) {
    strafeSign = -strafeSign;
    strafeFrames = 40 + static_cast<int>((noise >> 16) % 50);
  }

  std::vector<Sighting> seen = LookAround(game);
  const Sighting* target = nullptr;
  float bestScore = 1e9f;
  for (const Sighting& s : seen) {
    float score = s.distance;
    if (!s.visible) score += 400.0f;
    if (s.visible && s.distance > kShotRange) score += 150.0f;
    if (Is(s.enemy->StateName(), "C_AttackState") || Is(s.enemy->StateName(), "C_OffenseState"))
      score -= 40.0f;
    if (s.shielded && player.chargeCooldownActive) score += 250.0f;
    if (score < bestScore) {
      bestScore = score;
      target = &s;
    }
  }
  const bool engaged = target && target->visible && target->distance < kShotRange;

  // Where to go.
  bool hasGoal = false;
  float3 goal;
  if (target) {
    if (!engaged || target->distance > kEngageRange) {
      goal = target->position;
      hasGoal = true;
    }
  } else if (!game.items->items.empty()) {
    float nearest = 1e9f;
    for (const auto& item : game.items->items) {
      const float3 at = item->world.Translation();
      if (Distance(at, p) < nearest) {
        nearest = Distance(at, p);
        goal = at;
      }
    }
    hasGoal = true;
  } else {
    const EnemyManager& enemies = *game.enemies;
    hasGoal = true;
    if (!enemies.firstTrigger.fired) {
      goal = {20.0f, 3.0f, enemies.firstTrigger.point.z + 15.0f};
    } else if (!enemies.secondTrigger.fired) {
      goal = {0.0f, 3.0f, enemies.secondTrigger.point.z + 20.0f};
    } else {
      goal = {0.0f, 3.0f, enemies.thirdTrigger.point.z + 8.0f};
    }
  }
  float3 wanted = hasGoal ? RouteDirection(game, goal) : float3{};

  if (engaged) {
    const float3 toTarget = Normalize(Flat(target->position - p));
    const float3 lateral{toTarget.z, 0.0f, -toTarget.x};
    wanted = wanted * 0.7f + lateral * (0.6f * static_cast<float>(strafeSign));
  }
  // Keep clear of the melee enemies.
  for (const Sighting& s : seen) {
    const bool red = Is(s.enemy->KindName(), "red");
    const bool melee = Is(s.enemy->KindName(), "blue") || (red && !Is(s.enemy->StateName(), "C_SnipeState"));
    const float keep = red ? 24.0f : 18.0f;
    if (melee && s.distance < keep) wanted += Normalize(Flat(p - s.position)) * 1.2f;
  }
  wanted += Evade(game, seen) * 2.5f;
  ChooseKeys(game, wanted, input);

  // Running would keep the gun down.
  if (engaged || player.charging) {
    if (player.running || player.GetRunCounter() > 45) {
      input.keys.erase(std::remove(input.keys.begin(), input.keys.end(), Key::W), input.keys.end());
    }
  }

  // Where to look: at the target, leading it, or along the way.
  float yaw = player.GetYaw(), pitch = player.GetPitch();
  float3 aimPoint;
  if (target && (engaged || target->distance < kEngageRange)) {
    const float flight = target->distance / 3.0f;
    aimPoint = target->position + target->velocity * flight;
    AimAt(game, aimPoint, yaw, pitch);
  } else if (Length(wanted) > 0.15f) {
    yaw = player.GetYaw() + Wrap180(std::atan2(wanted.x, wanted.z) * kRadToDeg - player.GetYaw());
    pitch = 0.0f;
  }
  const float turn = std::max(-kMaxTurn, std::min(kMaxTurn, yaw - player.GetYaw()));
  const float tilt = std::max(-kMaxTurn, std::min(kMaxTurn, pitch - player.GetPitch()));
  const int dx = static_cast<int>(std::lround(turn * kPixelsPerDegree));
  const int dy = static_cast<int>(std::lround(tilt * kPixelsPerDegree));
  if (dx != 0 || dy != 0) {
    input.moveCursor = true;
    input.cursorX = 640 + dx;
    input.cursorY = 360 + dy;
  }

  // The gun. The shot of this frame leaves along the camera ray as it stands.
  const float3 eye = game.camera->GetEye();
  const float3 view = game.camera->GetViewDirection();
  const bool onTarget =
      engaged && (RayDistance(eye, view, aimPoint) < 1.5f || [&] {
        float distance = 0.0f;
        float3 normal;
        return RayToModel(target->enemy->GetModel(), target->enemy->GetMatrix(), eye, view, distance, normal);
      }());
  bool holdCharge = false;
  if (engaged && target->shielded && !player.chargeCooldownActive && !player.reloading) {
    holdCharge = true;
    if (player.charging) ++chargeFrames;
    if (chargeFrames >= kChargeFull && onTarget) holdCharge = false;
  } else if (player.charging && chargeFrames > 0) {
    // The shield is gone: a full charge still hurts the target.
    ++chargeFrames;
    holdCharge = chargeFrames < kChargeFull || !onTarget;
    if (!engaged) holdCharge = false;
  }
  if (holdCharge) {
    input.keys.push_back(Key::RButton);
  } else {
    chargeFrames = 0;
    if (onTarget && !target->shielded && player.GetAmmo() > 0 && !player.reloading) {
      input.keys.push_back(Key::LButton);
    }
  }
  const bool lowAmmo =
      player.GetAmmo() == 0 || (!engaged && player.GetAmmo() < player.GetMagazineCapacity() / 2);
  if (lowAmmo && !player.reloading && !holdCharge && reloadPresses == 0) {
    input.keys.push_back(Key::R);
    reloadPresses = 1;
  } else {
    reloadPresses = 0;
  }

  // Unstick: a body that walks without getting anywhere jumps and tries the
  // other side.
  const bool walking = std::any_of(input.keys.begin(), input.keys.end(), [](int k) {
    return k == Key::W || k == Key::A || k == Key::S || k == Key::D;
  });
  if (walking && Distance(Flat(p), Flat(stuckFrom)) < 2.0f) {
    if (++stuckFrames > kStuckFrames) {
      stuckFrames = 0;
      strafeSign = -strafeSign;
      route.clear();
      jumpFrames = 2;
    }
  } else {
    stuckFrom = p;
    stuckFrames = 0;
  }
  if (jumpFrames > 0) {
    --jumpFrames;
    input.keys.push_back(Key::Space);
  }
  return input;
}
