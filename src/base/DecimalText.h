#pragma once
// Decimal integers in the text files players edit by hand (texture.cfg, .ctf)
// and in the dialogs' fields.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>

namespace tavrel {

// The integer (an optional sign, then digits) that starts at `position`, which
// then moves past it. Nothing, with `position` unchanged, when there is no digit
// there or the value does not fit in 32 bits. Blanks are the caller's business.
std::optional<std::int32_t> readDecimal(std::string_view text, std::size_t& position);

// The whole text as an integer of the value's type: decimal digits with an
// optional sign (a plus as well as a minus) and blanks around them. Gives
// std::errc::invalid_argument for any other text and result_out_of_range for a
// number the type cannot hold; the value is set only on success.
std::errc parseWholeNumber(std::string_view text, std::int32_t& value);
std::errc parseWholeNumber(std::string_view text, std::uint32_t& value);

}  // namespace tavrel
