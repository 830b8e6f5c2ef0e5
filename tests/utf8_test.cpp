#include "utf8.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(utf8_sequence, measures_a_character_or_the_bad_bytes_that_show_as_one_replacement) {
  struct case_ {
    std::string_view text;
    std::size_t length;
    std::size_t skip;
  };
  const case_ cases[] = {
      {"A", 1, 1},
      {"\xC3\xA9x", 2, 1},
      {"\xF0\x9F\x98\x80", 4, 1},
      {"\xE2\x82", 0, 2},          // cut short
      {"\xE0\x80\x80", 0, 1},      // overlong
      {"\xED\xA0\x80", 0, 1},      // a surrogate
      {"\xF4\x90\x80\x80", 0, 1},  // above U+10FFFF
      {"\xFF", 0, 1},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    std::size_t skip = 0;
    EXPECT_EQ(utf8_sequence(c.text, skip), c.length);
    EXPECT_EQ(skip, c.skip);
  }
}

}  // namespace
