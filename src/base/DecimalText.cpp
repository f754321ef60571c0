#include "base/DecimalText.h"

#include <charconv>

namespace tavrel {
namespace {

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The text without blanks around it and without a plus that a sign or digit
// follows: from_chars takes a minus but no plus.
std::string_view numberText(std::string_view text) {
  text = trimmed(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

template <typename Number>
std::errc parseNumber(std::string_view text, Number& value) {
  text = numberText(text);
  Number parsed{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || end != text.data() + text.size()) return std::errc::invalid_argument;
  if (error == std::errc()) value = parsed;
  return error;
}

}  // namespace

std::errc parseWholeNumber(std::string_view text, std::int32_t& value) { return parseNumber(text, value); }
std::errc parseWholeNumber(std::string_view text, std::uint32_t& value) { return parseNumber(text, value); }

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
