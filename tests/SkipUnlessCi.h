#pragma once

// For tests that need something a developer's machine may lack (an OpenGL
// context, SDL video): there they skip, naming what is missing. Under CI
// (CI=true) a skip would pass unnoticed in ctest's count, so there the same
// test fails instead.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline bool RunningUnderCi() {
  const char* ci = std::getenv("CI");
  return ci && std::string(ci) == "true";
}

#define HALVANE_SKIP_UNLESS_CI(why)                                      \
  do {                                                                   \
    const std::string halvaneMissing = (why);                            \
    if (RunningUnderCi()) GTEST_FAIL() << "CI needs " << halvaneMissing; \
    GTEST_SKIP() << halvaneMissing;                                      \
  } while (0)
