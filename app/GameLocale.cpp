#include "app/GameLocale.h"

#include <clocale>
#include <initializer_list>

const char* SetGameLocale() {
  // The user's own locale ("") is not taken: a decimal comma would change how
  // the game formats its numbers.
  for (const char* name : {"ja_JP.UTF-8", "ja_JP.utf8", "C.UTF-8", "C.utf8"}) {
    if (const char* set = std::setlocale(LC_ALL, name)) return set;
  }
  return std::setlocale(LC_ALL, "C");
}
