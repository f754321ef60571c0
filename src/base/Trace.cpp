#include "base/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tavrel {
namespace {

TraceSink defaultSink() {
  const char* flag = std::getenv("TAVREL_TRACE");
  if (flag != nullptr && std::strcmp(flag, "1") == 0)
    return [](const std::string& line) { std::fputs(line.c_str(), stderr); };
  return {};
}

TraceSink& sink() {
  static TraceSink current = defaultSink();
  return current;
}

}  // namespace

void setTraceSink(TraceSink newSink) { sink() = std::move(newSink); }

void trace(const char* pattern, ...) {
  const TraceSink& out = sink();
  if (!out) return;
  char line[1024];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(line, sizeof line, pattern, args);
  va_end(args);
  out(line);
}

}  // namespace tavrel
