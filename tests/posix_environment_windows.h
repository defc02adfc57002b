#pragma once

// The tests change environment variables (the per-user folder, the locale)
// with POSIX setenv and unsetenv; the Windows C runtime calls them
// _putenv_s. Included into every test source of the Windows build.

#ifdef _WIN32

#include <cstdlib>

inline int setenv(const char* name, const char* value, int overwrite) {
  if (overwrite == 0 && std::getenv(name) != nullptr) return 0;
  return _putenv_s(name, value);
}

inline int unsetenv(const char* name) { return _putenv_s(name, ""); }

#endif
