// Read access to a list of strings, such as the input page's list boxes, for
// code that must not know which control holds them.
#pragma once
#include <string>

class StringList {
 public:
  virtual ~StringList() = default;
  virtual int Count() const = 0;
  virtual std::u16string At(int index) const = 0;
};
