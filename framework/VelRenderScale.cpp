#include "framework/VelRenderScale.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMinStep = 8;  // 0.5
// Lowering: of the last 8 frames since the last change, at least 4 over the
// budget; one hitch (a scene being built) changes nothing.
constexpr size_t kLowerWindow = 8;
constexpr size_t kLowerOverBudget = 4;
// Lowering a step: of the frames of the last second since the last change,
// this many ran late, by less than a hitch would (twice the budget or more).
// A player sees each late frame; 19 in 20 should draw in time.
constexpr size_t kLateInASecond = 4;
constexpr float kHitchBudgets = 2.0f;
// The cost aimed at when lowering, so that the lowered frames sit clearly
// under the budget and noise does not push them straight back over it.
constexpr float kLowerTarget = 0.8f;
// Raising: a second of frames since the last change, and even the slowest
// twentieth of them, grown by the step's extra pixels, stays under this share:
// 19 frames in 20 of the raised scale should still draw in time.
constexpr size_t kRaiseWindow = 60;
constexpr float kRaiseLimit = 0.8f;
}  // namespace

void VelRenderScale::SetFixed(float scale) {
  automatic = false;
  const float clamped = std::clamp(scale, kMinScale, kMaxScale);
  step = std::clamp(int(std::floor(clamped * kSteps + 1e-4f)), kMinStep, kSteps);
  costs.clear();
}

void VelRenderScale::SetAutomatic() {
  automatic = true;
  step = kSteps;
  costs.clear();
}

void VelRenderScale::ChangeTo(int newStep) {
  step = std::clamp(newStep, kMinStep, kSteps);
  costs.clear();
}

void VelRenderScale::ReportFrameCost(float milliseconds) {
  if (!automatic || !(milliseconds >= 0)) return;
  costs.push_back(milliseconds);
  if (costs.size() > kRaiseWindow) costs.erase(costs.begin());

  // Most frames cost in proportion to their pixels: cost ~ scale squared.
  const float scale = GetScale();
  if (step > kMinStep && costs.size() >= kLowerOverBudget) {
    const size_t from = costs.size() > kLowerWindow ? costs.size() - kLowerWindow : 0;
    std::vector<float> recent(costs.begin() + long(from), costs.end());
    const size_t over =
        size_t(std::count_if(recent.begin(), recent.end(), [](float cost) { return cost > kBudgetMs; }));
    if (over >= kLowerOverBudget) {
      std::sort(recent.begin(), recent.end());
      // The cheapest of the frames over the budget: the others may be hitches.
      const float typical = recent[recent.size() - over];
      const float wanted = scale * std::sqrt(kLowerTarget * kBudgetMs / typical);
      ChangeTo(std::min(step - 1, int(std::floor(wanted * kSteps))));
      return;
    }
    const size_t late = size_t(std::count_if(costs.begin(), costs.end(), [](float cost) {
      return cost > kBudgetMs && cost < kHitchBudgets * kBudgetMs;
    }));
    if (late >= kLateInASecond) {
      ChangeTo(step - 1);
      return;
    }
  }
  if (step < kSteps && costs.size() >= kRaiseWindow) {
    std::vector<float> sorted = costs;
    std::sort(sorted.begin(), sorted.end());
    const float slow = sorted[sorted.size() * 19 / 20];
    const float next = float(step + 1) / float(kSteps);
    if (slow * (next * next) / (scale * scale) < kRaiseLimit * kBudgetMs) ChangeTo(step + 1);
  }
}
