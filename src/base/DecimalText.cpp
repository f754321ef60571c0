#include "base/DecimalText.h"

namespace tavrel {

std::optional<std::int32_t> readDecimal(std::string_view text, std::size_t& position) {
  std::size_t at = position;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const std::size_t digitsBegin = at;
  // One past the largest magnitude is allowed for the most negative value.
  const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
  std::int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) return std::nullopt;
  }
  if (at == digitsBegin) return std::nullopt;
  position = at;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace tavrel
