#include "literal_chase.h"

#include <algorithm>

#include "chase.h"

void literal_chase(matrix& matr_S, const std::vector<halmaz>& F) {
  matrix matr_T(0, 0);
  do {
    matr_T = matr_S;
    for (const halmaz& h : F) {
      if (std::find(h.left.begin(), h.left.end(), -1) != h.left.end()) continue;
      for (int i = 1; i < matr_S.get_x() - 1; ++i) {
        for (int j = i + 1; j < matr_S.get_x(); ++j) {
          bool agree = true;
          for (int c : h.left) agree = agree && matr_S.cell(i, c) == matr_S.cell(j, c);
          if (agree) equate(i, j, matr_S, h.right);
        }
      }
    }
  } while (matr_S != matr_T);
}
