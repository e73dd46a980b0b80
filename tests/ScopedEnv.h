#pragma once

#include <cstdlib>
#include <string>

// Sets an environment variable for the life of the object. SDL reads its
// audio variables when FAudio brings up the audio subsystem, so set them
// before an engine is made.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name(name) {
    if (const char* old = std::getenv(name)) {
      previous = old;
      hadPrevious = true;
    }
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (hadPrevious) {
      setenv(name, previous.c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

 private:
  const char* name;
  std::string previous;
  bool hadPrevious = false;
};
