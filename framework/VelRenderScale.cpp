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
// Backing off a raise that did not hold: two seconds, doubling to sixteen.
constexpr size_t kLongestRetryWait = 16 * 60;
}  // namespace

void VelRenderScale::SetFixed(float scale) {
  automatic = false;
  const float clamped = std::clamp(scale, kMinScale, kMaxScale);
  ChangeTo(int(std::floor(clamped * kSteps + 1e-4f)));
  lastChangeRaised = false;
  failedStep = 0;
}

void VelRenderScale::SetAutomatic() {
  automatic = true;
  ChangeTo(kSteps);
  lastChangeRaised = false;
  failedStep = 0;
}

void VelRenderScale::ChangeTo(int newStep) {
  lastChangeRaised = newStep > step;
  step = std::clamp(newStep, kMinStep, kSteps);
  costs.clear();
  framesSinceChange = 0;
}

void VelRenderScale::Lower(int newStep) {
  if (lastChangeRaised && framesSinceChange <= kRaiseWindow) {
    failedWait = failedStep == step ? std::min(failedWait * 2, kLongestRetryWait) : 2 * kRaiseWindow;
    failedStep = step;
  }
  ChangeTo(newStep);
}

void VelRenderScale::ReportFrameCost(float milliseconds) {
  if (!automatic || !(milliseconds >= 0)) return;
  costs.push_back(milliseconds);
  if (costs.size() > kRaiseWindow) costs.erase(costs.begin());
  ++framesSinceChange;
  // A second held at the step a raise once failed at: that raise holds now.
  if (step == failedStep && framesSinceChange > kRaiseWindow) failedStep = 0;

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
      Lower(std::min(step - 1, int(std::floor(wanted * kSteps))));
      return;
    }
    const size_t late = size_t(std::count_if(costs.begin(), costs.end(), [](float cost) {
      return cost > kBudgetMs && cost < kHitchBudgets * kBudgetMs;
    }));
    if (late >= kLateInASecond) {
      Lower(step - 1);
      return;
    }
  }
  const bool backingOff = step + 1 == failedStep && framesSinceChange < failedWait;
  if (step < kSteps && costs.size() >= kRaiseWindow && !backingOff) {
    std::vector<float> sorted = costs;
    std::sort(sorted.begin(), sorted.end());
    const float slow = sorted[sorted.size() * 19 / 20];
    const float next = float(step + 1) / float(kSteps);
    if (slow * (next * next) / (scale * scale) < kRaiseLimit * kBudgetMs) ChangeTo(step + 1);
  }
}
