// The decomposition check as one JSON object, for `lossless --json` and the web page, and design
// mode as another, for `lossless --design`. They present the answers of check_decomposition and
// design_decomposition and decide nothing themselves.

#ifndef LOSSLESS_JSON_H_
#define LOSSLESS_JSON_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.h"
#include "design.h"
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

// Writes the object of design mode, followed by a newline: the version, the catalogue attr and F as
// read (-1 kept) as write_json writes them, then the minimal cover, the 3NF synthesis and the BCNF
// decomposition, each with its steps and what the chase and the check say of it. Schemes are
// ascending column lists; what was not decided is null, and complete is then false.
void write_design_json(std::ostream& out, const std::vector<std::string>& attr,
                       const std::vector<halmaz>& F, const design_result& design);

#endif  // LOSSLESS_JSON_H_
