#include "app/simultaneous_choices.h"

#include <algorithm>

#include "app/run_settings.h"

int MostSimultaneousOffered(int processors) {
  return std::clamp(processors, 1, int(kMostSimultaneous));
}

std::vector<std::u16string> SimultaneousRows(int processors, const std::u16string& automatic) {
  std::vector<std::u16string> rows;
  for (int n = 1; n <= MostSimultaneousOffered(processors); ++n) {
    const std::string digits = std::to_string(n);
    rows.emplace_back(digits.begin(), digits.end());
  }
  rows.push_back(automatic);
  return rows;
}

int SimultaneousRowOf(int32_t choice, int processors) {
  const int most = MostSimultaneousOffered(processors);
  if (choice == kSimultaneousAutomatic) return most;
  return std::clamp(int(choice), 1, most) - 1;
}

int32_t SimultaneousChoiceAt(int row, int processors) {
  const int most = MostSimultaneousOffered(processors);
  return row >= most ? kSimultaneousAutomatic : int32_t(std::max(row, 0) + 1);
}
