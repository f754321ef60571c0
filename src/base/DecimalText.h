#pragma once
// Decimal integers in the text files players edit by hand (texture.cfg, .ctf).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrel {

// The integer (an optional sign, then digits) that starts at `position`, which
// then moves past it. Nothing, with `position` unchanged, when there is no digit
// there or the value does not fit in 32 bits. Blanks are the caller's business.
std::optional<std::int32_t> readDecimal(std::string_view text, std::size_t& position);

}  // namespace tavrel
