#include "skin/skin_geometry.h"

#include <cstdint>

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t num = int64_t(a) * b;
  int64_t den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Integer division truncates toward zero, so bias away from zero by half.
  const int64_t q = num >= 0 ? (num + den / 2) / den : (num - den / 2) / den;
  if (q > INT32_MAX || q < -INT32_MAX) return -1;
  return int(q);
}
