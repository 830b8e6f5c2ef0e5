// The input file: its block-reading rule, its two line tokenizers, the attribute catalogue built
// from the scheme block and the dependency list built from the dependency block.

#ifndef LOSSLESS_INPUT_H_
#define LOSSLESS_INPUT_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"

// The input without the UTF-8 byte-order mark EF BB BF that some editors put at its start: the
// mark is an encoding, not part of the first name.
std::string_view without_utf8_mark(std::string_view input);

// Reads the lines of the input's bytes in memory, one reading from the first line on. Each reading
// is a reader of its own on the same bytes, so all readings see the same text, and the lines it
// gives are views into those bytes, which must outlive them.
class line_reader {
 public:
  explicit line_reader(std::string_view text) : text_(text) {}

  // Reads one line into tmp, up to and consuming the next newline, and drops one trailing carriage
  // return so that a file saved on Windows reads like the same file with plain newlines. A read
  // that reaches the end of the text sets eof, and also fail when it found nothing (tmp is then
  // empty). Once eof or fail is set, a read sets fail and leaves tmp unchanged: these are the flags
  // and the line that std::getline leaves on a file stream.
  void read_line(std::string_view& tmp);

  bool eof() const { return eof_; }
  bool fail() const { return fail_; }
  // Whether every byte has been read: after the last newline, even before a read sets eof.
  bool at_end() const { return next_ == text_.size(); }
  // The number of the line that the last read gave, from 1; a read that found nothing at the end
  // of the text leaves it as it was.
  long long line_number() const { return line_; }

 private:
  std::string_view text_;
  std::size_t next_ = 0;
  long long line_ = 0;
  bool eof_ = false;
  bool fail_ = false;
};

// The one loop by which every block is read: reads a line, and while the read neither reached end
// of file nor failed and the line is not empty, calls process(tmp) and reads the next line. So the
// empty line that ends a block is consumed but not processed, and neither is a line that reaches
// end of file. On return tmp holds the line that ended the block.
template <typename Process>
void read_block(line_reader& f, std::string_view& tmp, Process process) {
  f.read_line(tmp);
  while (!f.eof() && !f.fail() && !tmp.empty()) {
    process(tmp);
    f.read_line(tmp);
  }
}

// Returns the bytes of line from j up to the next "," or the end of the line, and leaves j on that
// "," or at the end. Example: on "A,,B" from 0 it returns "A" with j = 1; from 2, "" with j = 2.
std::string_view read_token(std::string_view line, std::size_t& j);

// Appends to seged the bytes of a left-side name starting at j: the name ends before a ",", before
// a "-", before a byte that is followed by ">", or at the end of the line. Leaves j on the byte
// that ended the name and sets l when that byte starts the arrow "->". Example: on "AB>C" from 0 it
// appends "A" and leaves j = 1 (on the "B" before ">"), l false.
void read_left_token(std::string_view line, std::size_t& j, bool& l, std::string& seged);

// Calls use(token) for each name of a scheme line or a right side, starting at j: a trailing ","
// yields no empty name, a leading or doubled "," does.
template <typename Use>
void for_each_token(std::string_view line, std::size_t j, Use use) {
  while (j < line.size()) {
    use(read_token(line, j));
    ++j;  // over the ","
  }
}

// A catalogue name that holds a blank or a tab, which is almost never meant: "A, B" names " B".
struct spaced_name {
  int column;
  long long line;  // the first scheme line that names it
};

// A scheme line as the first reading saw it.
struct scheme_line {
  long long line;
  std::string_view text;  // a view into the input
  std::size_t names;      // repeats counted
};

// The distinct attribute names of the scheme block and the number of scheme lines.
struct catalogue {
  std::vector<std::string> attr;    // sorted by unsigned bytes; a name's position is its column
  long long n = 0;                  // scheme lines processed
  std::vector<spaced_name> spaced;  // by column
  std::vector<scheme_line> lines;   // in line order
};

// Reads the scheme block from f (standing at the start of the file) and returns its sorted names
// and line count. Leaves f just after the empty line that ended the block, or at end of file, and
// tmp holding that line. Reports what was almost surely not meant: a scheme line holding "->"
// (still a scheme: the empty line before the dependencies is probably missing), then, for the same
// line, an empty name, then a line that starts with "#" or "//" (a comment read as a scheme); and
// an input whose first line is empty while more follows, which leaves no scheme at all.
catalogue read_catalogue(line_reader& f, std::string_view& tmp, diagnostics& d);

// Reports each catalogue name that holds a blank or a tab, in catalogue order, with its first line.
void report_spaced_names(const catalogue& c, diagnostics& d);

// When there are two scheme lines or more, reports each one that holds every catalogue name, in
// line order: its row of the tableau is all "0" from the start, so the decomposition is lossless
// whatever the dependencies, which is almost never what an exercise means (the whole relation
// written above its parts).
void report_whole_schemes(const catalogue& c, diagnostics& d);

// Prints the catalogue: "atrrsize: " and the name count, one "<i>.: <name>" line per name, then
// "n: <n>  m: <m>".
void print_catalogue(std::ostream& out, const catalogue& c);

// The position of name in the sorted list attr, or -1 when it is not there. The search starts at
// position start and costs O(log distance), so names looked up in about their sorted order, as the
// names of a wide scheme usually are, are found in a few steps each.
int attribute_index(const std::vector<std::string>& attr, std::string_view name,
                    std::size_t start = 0);

// One functional dependency as attribute indices (-1 for a name missing from the catalogue), in
// line order, duplicates kept.
struct halmaz {
  std::vector<int> left;
  std::vector<int> right;
};

// Parses one dependency line, the input's line number `line`. The left side is cut by
// read_left_token up to the arrow "->", the right side after it by read_token at "," only, so
// "B->C->A" has the single right name "C->A". A line without "->" gives the names read as the
// left side and an empty right side. An empty line gives an empty record. Each unknown name, and
// a non-empty line without "->", is reported.
halmaz parse_dependency(std::string_view tmp, long long line, const std::vector<std::string>& attr,
                        diagnostics& d);

// Reads the dependency block from f, which stands just after the scheme block; tmp holds the line
// that ended the scheme block. Returns one record per line, then the record of the line that ended
// this block: the empty line after it, or the last line of the file when a read reached its end
// (empty when the file ends with a newline). Reports as parse_dependency does; then, when an empty
// line ended the block, reads on to the end and reports each later line that holds more than
// blanks and tabs, since none of them will be read as a dependency.
std::vector<halmaz> read_dependencies(line_reader& f, std::string_view& tmp,
                                      const std::vector<std::string>& attr, diagnostics& d);

// Prints one line per record: each left index followed by a blank, "->", each right index
// followed by a blank.
void print_dependencies(std::ostream& out, const std::vector<halmaz>& F);

// The input with one scheme line added per scheme after its last scheme line (or at its start,
// after a UTF-8 mark, when it has none): the names of the scheme's columns in attr joined by ",",
// each line ending as that last line does (LF or CR LF). The rest stays byte for byte, so the new
// input reads as the old one with more schemes. A scheme whose only name is empty is written ",";
// one with no column, which no line can hold, is left out.
std::string with_schemes_added(std::string_view input, const std::vector<std::string>& attr,
                               const std::vector<std::vector<int>>& schemes);

// The input with its scheme lines, the ones that the reading takes as schemes, replaced by one
// line per scheme written as with_schemes_added writes them, each line ending as the last old
// scheme line does. A UTF-8 mark and everything after the scheme block (the line that ended it,
// the dependencies) stay byte for byte. With no scheme that has a column the input is left with
// no scheme line.
std::string with_schemes_replaced(std::string_view input, const std::vector<std::string>& attr,
                                  const std::vector<std::vector<int>>& schemes);

#endif  // LOSSLESS_INPUT_H_
