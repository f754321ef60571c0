#pragma once
// printf-style formatting into a std::string (GCC 12 has no std::format).

#include <string>

namespace tavrel {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tavrel
