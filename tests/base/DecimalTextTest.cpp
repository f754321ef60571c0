#include "base/DecimalText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrel {
namespace {

// What a dialog's field takes: the whole text, blanks around it allowed.
TEST(WholeNumber, TakesTheWholeTextAsAnIntegerOfItsType) {
  struct Case {
    std::string_view text;
    std::optional<std::int32_t> signedValue;  // none: refused
    std::errc signedError;
    std::optional<std::uint32_t> unsignedValue;
    std::errc unsignedError;
  };
  constexpr std::errc ok{};
  constexpr std::errc invalid = std::errc::invalid_argument;
  constexpr std::errc range = std::errc::result_out_of_range;
  const Case cases[] = {
      {"0", 0, ok, 0u, ok},
      {" \t42 ", 42, ok, 42u, ok},
      {"+7", 7, ok, 7u, ok},
      {"-70000", -70000, ok, std::nullopt, invalid},
      {"2147483647", 2147483647, ok, 2147483647u, ok},
      {"-2147483648", INT32_MIN, ok, std::nullopt, invalid},
      {"2147483648", std::nullopt, range, 2147483648u, ok},
      {"4294967295", std::nullopt, range, 4294967295u, ok},
      {"4294967296", std::nullopt, range, std::nullopt, range},
      {"99999999999", std::nullopt, range, std::nullopt, range},
      {"", std::nullopt, invalid, std::nullopt, invalid},
      {"   ", std::nullopt, invalid, std::nullopt, invalid},
      {"12a", std::nullopt, invalid, std::nullopt, invalid},
      {"1 2", std::nullopt, invalid, std::nullopt, invalid},
      {"+-3", std::nullopt, invalid, std::nullopt, invalid},
      {"++3", std::nullopt, invalid, std::nullopt, invalid},
      {"+", std::nullopt, invalid, std::nullopt, invalid},
      {"0x10", std::nullopt, invalid, std::nullopt, invalid},
      {"3.0", std::nullopt, invalid, std::nullopt, invalid},
  };
  for (const Case& c : cases) {
    std::int32_t signedValue = 5;
    EXPECT_EQ(parseWholeNumber(c.text, signedValue), c.signedError) << '"' << c.text << '"';
    EXPECT_EQ(signedValue, c.signedValue.value_or(5)) << '"' << c.text << "\": left alone when refused";
    std::uint32_t unsignedValue = 5;
    EXPECT_EQ(parseWholeNumber(c.text, unsignedValue), c.unsignedError) << '"' << c.text << '"';
    EXPECT_EQ(unsignedValue, c.unsignedValue.value_or(5u)) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace tavrel
