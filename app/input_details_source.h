// Where the input page learns what its files hold: it asks for files to be
// looked at as they are added, and reads what has been found as it comes in.
// The wizard hands the page one; the looking is done elsewhere, off the
// page's thread.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "profiles/input_details.h"

class InputDetailsSource {
 public:
  virtual ~InputDetailsSource() = default;
  // Looks at these files, in this order, a few at a time. Returns at once.
  virtual void Look(const std::vector<std::u16string>& paths) = 0;
  // Forgets the files still to be looked at (the list was cleared).
  virtual void Drop() = 0;
  // What has been found of a file; `probed` is false while it has not been looked at.
  virtual InputDetails Known(const std::u16string& path) = 0;
  // Called on a looking thread whenever a file's details have come in.
  virtual void SetListener(std::function<void()> news) = 0;
};
