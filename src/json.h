// The decomposition check as one JSON object, for `lossless --json` and the web page. It presents
// the answers of check_decomposition and decides nothing itself.

#ifndef LOSSLESS_JSON_H_
#define LOSSLESS_JSON_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.h"
#include "input.h"

// The version of the tool, as `lossless --version` and the JSON object give it.
constexpr std::string_view lossless_version = LOSSLESS_VERSION;

// Writes text as a JSON string, quotes included. Bytes that are not UTF-8 become U+FFFD, one for
// each maximal ill-formed sequence as a browser's decoder does; quotes, backslashes and control
// characters are escaped. Example: "A\"\xff" is written as "A\"\uFFFD" with the U+FFFD as UTF-8.
void write_json_string(std::ostream& out, std::string_view text);

// Writes the whole object, followed by a newline: the version, the catalogue attr, the schemes,
// F as read (-1 kept), the chase's verdict lossless and every answer of check. Attributes are
// column indices from 0, dependencies indices into F. Of the lost and of the preserved records the
// first 1000 each carry their rounds; later preserved ones only their index, later lost ones their
// closure and missing attributes.
void write_json(std::ostream& out, const std::vector<std::string>& attr,
                const std::vector<std::vector<int>>& schemes, const std::vector<halmaz>& F,
                bool lossless, const decomposition_check& check);

#endif  // LOSSLESS_JSON_H_
