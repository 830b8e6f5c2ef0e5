// Reading UTF-8 as a browser's decoder reads it, for the front ends that show the input's bytes
// as text: the JSON objects, and the tidy-up's table for the page.

#ifndef LOSSLESS_UTF8_H_
#define LOSSLESS_UTF8_H_

#include <cstddef>
#include <string_view>

// The length of the well-formed UTF-8 sequence at the start of text, or 0 when it starts with an
// ill-formed one; skip is then the length of its maximal ill-formed prefix (at least 1), which a
// decoder shows as one U+FFFD (Unicode's "maximal subpart" rule, as browsers decode). Text must
// not be empty. Example: "\xE2\x82" gives 0 with skip 2; "\xC3\xA9x" gives 2.
std::size_t utf8_sequence(std::string_view text, std::size_t& skip);

#endif  // LOSSLESS_UTF8_H_
