// Geometry shared by the skin objects' portable layout code: a rectangle with
// the platform's field names and the platform's rounding multiply-divide.
#pragma once

// Half-open like the platform's rectangles: left and top inside, right and
// bottom outside.
struct SkinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const SkinRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const SkinRect& o) const { return !(*this == o); }
};

// a * b / c in 64 bits, rounded half away from zero; -1 when c is 0 or the
// result does not fit, as the platform's MulDiv answers.
int MulDivRound(int a, int b, int c);
