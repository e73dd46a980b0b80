#pragma once

// Sets the C library's locale for all categories: Japanese with UTF-8 text
// where the system has it, else plain UTF-8 text handling. Numbers always
// format with a decimal point, whatever the user's environment says. Returns
// the locale's name as the C library reports it.
const char* SetGameLocale();
