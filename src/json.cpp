#include "json.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "utf8.h"

namespace {

// Text for the stream, gathered in large pieces: the object of a large input holds millions of
// numbers, and writing each through the stream takes several times longer.
class writer {
 public:
  explicit writer(std::ostream& out) : out_(out) {}
  ~writer() { flush(); }
  writer& operator<<(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= (1 << 16)) flush();
    return *this;
  }
  writer& operator<<(char c) {
    buffer_ += c;
    return *this;
  }
  writer& operator<<(int n) {
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    buffer_.append(digits, result.ptr);
    return *this;
  }
  std::string& buffer() { return buffer_; }

 private:
  void flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

  std::ostream& out_;
  std::string buffer_;
};

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

// Appends text to s as a JSON string.
void append_string(std::string& s, std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  s += '"';
  for (std::size_t k = 0; k < text.size();) {
    std::size_t skip = 1;
    const std::size_t length = utf8_sequence(text.substr(k), skip);
    if (length == 0) {
      s += replacement;
      k += skip;
      continue;
    }
    if (length > 1) {
      s += text.substr(k, length);
      k += length;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(text[k++]);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else if (c == '\n') {
      s += "\\n";
    } else if (c == '\r') {
      s += "\\r";
    } else if (c == '\t') {
      s += "\\t";
    } else if (c < 0x20) {
      s += "\\u00";
      s += hex[c >> 4];
      s += hex[c & 15];
    } else {
      s += static_cast<char>(c);
    }
  }
  s += '"';
}

void write_list(writer& out, const std::vector<int>& numbers) {
  out << '[';
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    if (k > 0) out << ", ";
    out << numbers[k];
  }
  out << ']';
}

void write_lists(writer& out, const std::vector<std::vector<int>>& lists) {
  out << '[';
  for (std::size_t k = 0; k < lists.size(); ++k) {
    if (k > 0) out << ", ";
    write_list(out, lists[k]);
  }
  out << ']';
}

// The version and the catalogue, which open both objects.
void write_version_and_attributes(writer& out, const std::vector<std::string>& attr) {
  out << "{\"version\": ";
  append_string(out.buffer(), lossless_version);
  out << ",\n \"attributes\": [";
  for (std::size_t k = 0; k < attr.size(); ++k) {
    if (k > 0) out << ", ";
    append_string(out.buffer(), attr[k]);
  }
  out << ']';
}

// F as read, -1 kept.
void write_dependencies(writer& out, const std::vector<halmaz>& F) {
  out << ",\n \"dependencies\": [";
  for (std::size_t k = 0; k < F.size(); ++k) {
    out << (k > 0 ? ", " : "") << "{\"left\": ";
    write_list(out, F[k].left);
    out << ", \"right\": ";
    write_list(out, F[k].right);
    out << '}';
  }
  out << ']';
}

// A record's rounds: one entry per step, with Z after it.
void write_rounds(writer& out, const preservation_run& run, int steps) {
  out << '[';
  const std::vector<preservation_round> rounds = rounds_of(run, steps);
  for (std::size_t k = 0; k < rounds.size(); ++k) {
    const preservation_round& r = rounds[k];
    out << (k > 0 ? ", " : "") << "{\"round\": " << r.round << ", \"scheme\": " << r.scheme
        << ", \"added\": ";
    write_list(out, r.added);
    out << ", \"closure\": ";
    write_list(out, r.closure);
    out << '}';
  }
  out << ']';
}

// A derivation per record would make the object of 100,000 dependencies hundreds of megabytes:
// the first ones show how each answer was reached, the rest only the answer.
constexpr std::size_t derivations_written = 1000;

void write_records(writer& out, const preservation_check& p,
                   const std::vector<record_preservation>& records, bool lost) {
  out << '[';
  for (std::size_t k = 0; k < records.size(); ++k) {
    const record_preservation& r = records[k];
    const preservation_run& run = p.runs[r.run];
    const bool derived = k < derivations_written;
    out << (k > 0 ? ",\n    " : "\n    ") << "{\"dependency\": " << r.dependency;
    if (lost || derived) {
      out << ", \"closure\": ";
      write_list(out, closure_after(run, r.steps));
    }
    if (lost) {
      out << ", \"missing\": ";
      write_list(out, r.missing);
    }
    if (derived) {
      out << ", \"rounds\": ";
      write_rounds(out, run, r.steps);
    }
    out << '}';
  }
  out << ']';
}

// A normal form by its name, or null when not decided.
void write_form(writer& out, normal_form form) {
  if (form == normal_form::undecided) {
    out << "null";
  } else {
    append_string(out.buffer(), form_name(form));
  }
}

void write_scheme(writer& out, const scheme_check& s) {
  out << "{\"form\": ";
  write_form(out, s.form);
  out << ", \"keys\": ";
  write_lists(out, s.keys);
  out << ", \"keys_complete\": " << (s.keys_complete ? "true" : "false") << ", \"witness\": ";
  if (s.witness.right < 0) {
    out << "null";
  } else {
    out << "{\"left\": ";
    write_list(out, s.witness.left);
    out << ", \"right\": " << s.witness.right;
    if (s.form == normal_form::first) {
      out << ", \"key\": ";
      write_list(out, s.witness.key);
    }
    out << '}';
  }
  out << '}';
}

}  // namespace

void write_json_string(std::ostream& out, std::string_view text) {
  std::string s;
  append_string(s, text);
  out << s;
}

void write_json(std::ostream& stream, const std::vector<std::string>& attr,
                const std::vector<std::vector<int>>& schemes, const std::vector<halmaz>& F,
                bool lossless, const decomposition_check& check) {
  writer out(stream);
  write_version_and_attributes(out, attr);
  out << ",\n \"schemes\": ";
  write_lists(out, schemes);
  write_dependencies(out, F);
  out << ",\n \"lossless\": " << (lossless ? "true" : "false");

  const preservation_check& p = check.preservation;
  out << ",\n \"preservation\": {\"preserving\": "
      << (!p.preserving   ? "null"
          : *p.preserving ? "true"
                          : "false")
      << ", \"complete\": " << (p.complete ? "true" : "false") << ",\n  \"lost\": ";
  write_records(out, p, p.lost, true);
  out << ",\n  \"preserved\": ";
  write_records(out, p, p.preserved, false);
  out << "}";

  out << ",\n \"keys\": {\"complete\": " << (check.keys.complete ? "true" : "false")
      << ", \"keys\": ";
  write_lists(out, check.keys.keys);
  out << ",\n  \"derivations\": [";
  for (std::size_t k = 0; k < check.keys.derivations.size(); ++k) {
    out << (k > 0 ? ", " : "") << '[';
    const std::vector<derivation_step>& steps = check.keys.derivations[k];
    for (std::size_t i = 0; i < steps.size(); ++i) {
      out << (i > 0 ? ", " : "") << "{\"dependency\": " << steps[i].dependency << ", \"added\": ";
      write_list(out, steps[i].added);
      out << '}';
    }
    out << ']';
  }
  out << "]}";

  out << ",\n \"normal_forms\": [";
  for (std::size_t k = 0; k < check.schemes.size(); ++k) {
    out << (k > 0 ? ",\n  " : "\n  ");
    write_scheme(out, check.schemes[k]);
  }
  out << "],\n \"redundant\": ";
  write_list(out, check.redundant);
  out << ",\n \"repair\": ";
  if (!check.repair) {
    out << "null";
  } else {
    out << "{\"add\": ";
    write_lists(out, check.repair->add);
    out << ", \"from\": ";
    write_list(out, check.repair->from);
    out << ", \"lossless\": " << (check.repair->lossless ? "true" : "false")
        << ", \"preserving\": " << (check.repair->preserving ? "true" : "false") << '}';
  }
  out << ",\n \"complete\": " << (check.complete ? "true" : "false") << "}\n";
}

namespace {

const char* json_bool(const std::optional<bool>& b) {
  if (!b) return "null";
  return *b ? "true" : "false";
}

// A dependency with one attribute on the right, as {"left": [..], "right": [a]}.
void write_fd(writer& out, const std::vector<int>& left, int right) {
  out << "{\"left\": ";
  write_list(out, left);
  out << ", \"right\": [" << right << "]}";
}

// The steps of a part, one per line: each by write_step(out, step).
template <typename Step, typename Write>
void write_steps(writer& out, const std::vector<Step>& steps, Write write_step) {
  out << '[';
  for (std::size_t k = 0; k < steps.size(); ++k) {
    out << (k > 0 ? ",\n   " : "\n   ");
    write_step(out, steps[k]);
  }
  out << ']';
}

void write_cover(writer& out, const minimal_cover& cover) {
  out << ",\n \"cover\": {\"dependencies\": ";
  if (!cover.complete) {
    out << "null";
  } else {
    out << '[';
    for (std::size_t k = 0; k < cover.dependencies.size(); ++k) {
      out << (k > 0 ? ", " : "");
      write_fd(out, cover.dependencies[k].left, cover.dependencies[k].right);
    }
    out << ']';
  }
  out << ",\n  \"steps\": ";
  write_steps(out, cover.steps, [](writer& o, const cover_step& s) {
    o << "{\"step\": \"" << kind_name(s.kind) << "\", \"left\": ";
    write_list(o, s.left);
    o << ", \"right\": [" << s.right << ']';
    if (s.kind == cover_step_kind::extraneous) o << ", \"attribute\": " << s.attribute;
    if (s.kind != cover_step_kind::trivial) {
      o << ", \"closure\": ";
      write_list(o, s.closure);
    }
    o << '}';
  });
  out << '}';
}

// The schemes of a part, null when it did not finish.
void write_schemes(writer& out, bool complete, const std::vector<std::vector<int>>& schemes) {
  if (complete) {
    write_lists(out, schemes);
  } else {
    out << "null";
  }
}

// What the chase and the check say of a decomposition; lost only for the BCNF one.
void write_checked(writer& out, const std::optional<design_check>& c, bool with_lost) {
  if (with_lost) {
    out << ",\n  \"lost\": ";
    if (c && c->lost) {
      write_list(out, *c->lost);
    } else {
      out << "null";
    }
    out << ", \"lossless\": " << json_bool(c ? c->lossless : std::nullopt);
  } else {
    out << ",\n  \"lossless\": " << json_bool(c ? c->lossless : std::nullopt)
        << ", \"preserving\": " << json_bool(c ? c->preserving : std::nullopt);
  }
  out << ", \"forms\": ";
  if (!c) {
    out << "null";
    return;
  }
  out << '[';
  for (std::size_t k = 0; k < c->forms.size(); ++k) {
    out << (k > 0 ? ", " : "");
    write_form(out, c->forms[k]);
  }
  out << ']';
}

void write_synthesis(writer& out, const synthesis_result& s, const std::optional<design_check>& c) {
  out << ",\n \"synthesis\": {\"schemes\": ";
  write_schemes(out, s.complete, s.schemes);
  out << ",\n  \"steps\": ";
  write_steps(out, s.steps, [](writer& o, const synthesis_step& step) {
    o << "{\"step\": \"" << kind_name(step.kind) << "\", \"scheme\": ";
    write_list(o, step.scheme);
    switch (step.kind) {
      case synthesis_step_kind::scheme:
        o << ", \"from\": ";
        write_list(o, step.from);
        break;
      case synthesis_step_kind::contained:
        o << ", \"in\": ";
        write_list(o, step.in);
        break;
      case synthesis_step_kind::key:
        o << ", \"closure\": ";
        write_list(o, step.closure);
        break;
    }
    o << '}';
  });
  write_checked(out, c, false);
  out << '}';
}

void write_bcnf(writer& out, const bcnf_result& b, const std::optional<design_check>& c) {
  out << ",\n \"bcnf\": {\"schemes\": ";
  write_schemes(out, b.complete, b.schemes);
  out << ",\n  \"steps\": ";
  write_steps(out, b.steps, [](writer& o, const bcnf_step& step) {
    o << "{\"scheme\": ";
    write_list(o, step.scheme);
    o << ", \"violation\": {\"left\": ";
    write_list(o, step.left);
    o << ", \"right\": ";
    write_list(o, step.right);
    o << "}, \"closure\": ";
    write_list(o, step.closure);
    o << ", \"into\": ";
    write_lists(o, {step.first, step.second});
    o << '}';
  });
  write_checked(out, c, true);
  out << '}';
}

}  // namespace

void write_design_json(std::ostream& stream, const std::vector<std::string>& attr,
                       const std::vector<halmaz>& F, const design_result& design) {
  writer out(stream);
  write_version_and_attributes(out, attr);
  write_dependencies(out, F);
  write_cover(out, design.cover);
  write_synthesis(out, design.synthesis, design.synthesis_check);
  write_bcnf(out, design.bcnf, design.bcnf_check);
  out << ",\n \"complete\": " << (design.complete ? "true" : "false") << "}\n";
}
