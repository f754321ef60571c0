#pragma once
// The run's log: one line a step, written at once, so the last line before a
// crash is the step that crashed.

#include <cstdarg>
#include <cstdio>

namespace tavrel::monkey {

__attribute__((format(printf, 1, 2))) inline void Say(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vprintf(format, arguments);
  va_end(arguments);
  std::fflush(stdout);
}

}  // namespace tavrel::monkey
