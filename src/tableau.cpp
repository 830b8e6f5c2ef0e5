#include "tableau.h"

#include "input.h"

matrix build_tableau(std::istream& f, std::string& tmp, std::ostream& out,
                     const std::vector<std::string>& attr, int n) {
  matrix matr_T(n + 1, static_cast<int>(attr.size()));
  for (int c = 0; c < matr_T.get_y(); ++c) matr_T.cell(0, c) = attr[c];

  const std::string distinguished = "0";
  int k = 0;
  read_block(f, tmp, [&](const std::string& line) {
    ++k;
    out << line << std::endl;
    if (k > n) return;
    const std::string symbol = std::to_string(k);
    for (int c = 0; c < matr_T.get_y(); ++c) matr_T.cell(k, c) = symbol;
    // A name missing from the catalogue marks nothing: it can only come from a changed file.
    for_each_token(line, 0, [&](const std::string& token) {
      int c = attribute_index(attr, token);
      if (c != -1) matr_T.cell(k, c) = distinguished;
    });
  });
  return matr_T;
}
