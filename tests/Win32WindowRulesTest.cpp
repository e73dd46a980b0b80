#include <gtest/gtest.h>

#include "platform/win32/Win32WindowRules.h"

namespace {

using Win32WindowRules::Action;
using Win32WindowRules::Decide;

constexpr uint32_t kPaint = 0x000F;
constexpr uint32_t kNcCreate = 0x0081;
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kSysKeyDown = 0x0104;
constexpr uint32_t kMouseMove = 0x0200;

TEST(Win32WindowRulesTest, BeforeThePropertyOnlyCreateIsHandled) {
  EXPECT_EQ(Decide(false, Win32WindowRules::kCreate, 0), Action::StoreInstance);
  // Non-client creation comes first and must reach the default procedure, or
  // the window is never made.
  EXPECT_EQ(Decide(false, kNcCreate, 0), Action::Default);
  // Keys, close and destroy before the property exists are the system's.
  EXPECT_EQ(Decide(false, Win32WindowRules::kKeyDown, Win32WindowRules::kEscape), Action::Default);
  EXPECT_EQ(Decide(false, Win32WindowRules::kClose, 0), Action::Default);
  EXPECT_EQ(Decide(false, Win32WindowRules::kDestroy, 0), Action::Default);
}

TEST(Win32WindowRulesTest, EscapeClosesAndNoOtherKeyReachesTheDefaultProcedure) {
  EXPECT_EQ(Decide(true, Win32WindowRules::kKeyDown, Win32WindowRules::kEscape), Action::Close);
  for (uintptr_t key : {uintptr_t(0x01), uintptr_t(0x20), uintptr_t('W'), uintptr_t('R'), uintptr_t(0x0D),
                        uintptr_t(0x12), uintptr_t(0x73), uintptr_t(0xFF)})
    EXPECT_EQ(Decide(true, Win32WindowRules::kKeyDown, key), Action::Consume) << key;
  // Only key-down is taken: releases and system keys (Alt+F4 among them) keep
  // their default handling.
  EXPECT_EQ(Decide(true, kKeyUp, Win32WindowRules::kEscape), Action::Default);
  EXPECT_EQ(Decide(true, kSysKeyDown, 0x73), Action::Default);
}

TEST(Win32WindowRulesTest, KeyAndButtonPressesAreLatchedButNotEscapeOrReleases) {
  using Win32WindowRules::PressedKey;
  EXPECT_EQ(PressedKey(Win32WindowRules::kKeyDown, 'W'), 'W');
  EXPECT_EQ(PressedKey(Win32WindowRules::kKeyDown, 0x20), 0x20);
  EXPECT_EQ(PressedKey(Win32WindowRules::kLButtonDown, 0x0001), 0x01) << "wParam holds modifier flags";
  EXPECT_EQ(PressedKey(Win32WindowRules::kRButtonDown, 0x0002), 0x02);
  EXPECT_EQ(PressedKey(Win32WindowRules::kMButtonDown, 0), 0x04);
  EXPECT_EQ(PressedKey(Win32WindowRules::kKeyDown, Win32WindowRules::kEscape), -1) << "Escape closes instead";
  EXPECT_EQ(PressedKey(kKeyUp, 'W'), -1);
  EXPECT_EQ(PressedKey(kMouseMove, 0x0001), -1);
  EXPECT_EQ(PressedKey(0x0202, 0), -1) << "a button release";
}

TEST(Win32WindowRulesTest, CloseDestroyAndTheRest) {
  EXPECT_EQ(Decide(true, Win32WindowRules::kClose, 0), Action::Close);
  EXPECT_EQ(Decide(true, Win32WindowRules::kDestroy, 0), Action::Destroyed);
  // A second create with the property attached is not stored again.
  EXPECT_EQ(Decide(true, Win32WindowRules::kCreate, 0), Action::Default);
  EXPECT_EQ(Decide(true, kPaint, 0), Action::Default);
  EXPECT_EQ(Decide(true, kMouseMove, 0), Action::Default);
}

TEST(Win32WindowRulesTest, OuterSizeAddsTheFrameToTheClientArea) {
  // A captioned window without a sizing border: 1280 x 720 outer gives a
  // smaller client area; the frame is added back.
  const auto size = Win32WindowRules::OuterSizeForClient(1280, 720, {1280, 720}, {1274, 691});
  EXPECT_EQ(size.width, 1286);
  EXPECT_EQ(size.height, 749);
  // Without a frame nothing changes.
  const auto bare = Win32WindowRules::OuterSizeForClient(1280, 720, {1280, 720}, {1280, 720});
  EXPECT_EQ(bare.width, 1280);
  EXPECT_EQ(bare.height, 720);
}

}  // namespace
