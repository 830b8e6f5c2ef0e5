#include "diagnostics.h"

namespace {

struct wording {
  std::string_view kind;
  std::string_view prefix;  // the console's words before the text
  bool quoted;              // a name is quoted, so that its blanks show
};

wording wording_of(message m) {
  switch (m) {
    case message::arrow_in_scheme:
      return {"arrow_in_scheme", "Nyil a semasorban (hianyzik az ures sor?): ", false};
    case message::empty_name_in_scheme:
      return {"empty_name", "Ures nev a semasorban: ", false};
    case message::comment_in_scheme:
      return {"comment_in_scheme", "Megjegyzesnek latszo semasor: ", false};
    case message::leading_empty_line:
      return {"leading_empty_line", "A bemenet ures sorral kezdodik: nincs egy sema sem", false};
    case message::blank_in_name:
      return {"blank_in_name", "Szokoz vagy tabulator a nevben: ", true};
    case message::whole_scheme:
      return {"whole_scheme",
              "Egy sema minden attributumot tartalmaz, igy a felbontas biztosan "
              "vesztesegmentes: ",
              false};
    case message::unknown_name:
      return {"unknown_name", "Ismeretlen attributum a fuggosegben: ", true};
    case message::missing_arrow:
      return {"missing_arrow", "Hianyzik a \"->\" a fuggosegbol: ", false};
    case message::unread_line:
      return {"unread_line", "Nem feldolgozott sor (ures sor zarta a fuggosegeket): ", false};
    case message::tableau_too_large:
      return {"tableau_too_large", "Nincs eleg memoria a tablazathoz: ", false};
    case message::utf16_input:
      return {"utf16", "A bemeneti fajl UTF-16 kodolasu, mentse UTF-8 kodolassal: ", false};
    case message::no_memory:
      return {"no_memory", "Nincs eleg memoria: ", false};
  }
  return {"", "", false};
}

}  // namespace

std::string_view kind_name(message m) { return wording_of(m).kind; }

bool quotes_name(message m) { return wording_of(m).quoted; }

void diagnostics::report(message m, long long line, std::string_view text) {
  const wording w = wording_of(m);
  err_ << w.prefix;
  if (w.quoted) err_ << '"';
  err_ << text;
  if (w.quoted) err_ << '"';
  err_ << std::endl;
  ++count_;
  if (kept_.size() < keep_) kept_.push_back({m, line, std::string(text)});
}
