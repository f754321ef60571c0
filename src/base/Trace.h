#pragma once
// Diagnostic trace: printf-style lines that never change behaviour. Silent by
// default; TAVREL_TRACE=1 in the environment sends them to stderr, and the GUI
// installs its own sink.

#include <functional>
#include <string>

namespace tavrel {

using TraceSink = std::function<void(const std::string&)>;

// An empty sink silences the trace.
void setTraceSink(TraceSink sink);

void trace(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tavrel
