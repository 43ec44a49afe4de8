#include "app/simultaneous_choices.h"

#include <algorithm>

#include "app/language_text.h"
#include "app/run_settings.h"

int MostSimultaneousOffered(int processors, int32_t stored) {
  const int asked = stored == kSimultaneousAutomatic ? 0 : int(stored);
  return std::clamp(std::max(processors, asked), 1, int(kMostSimultaneous));
}

std::vector<std::u16string> SimultaneousRows(int offered, const std::u16string& automatic) {
  std::vector<std::u16string> rows;
  for (int n = 1; n <= offered; ++n) rows.push_back(DecimalText(n));
  rows.push_back(automatic);
  return rows;
}

int SimultaneousRowOf(int32_t choice, int offered) {
  offered = std::max(offered, 1);
  if (choice == kSimultaneousAutomatic) return offered;
  return std::clamp(int(choice), 1, offered) - 1;
}

int32_t SimultaneousChoiceAt(int row, int offered) {
  return row >= std::max(offered, 1) ? kSimultaneousAutomatic : int32_t(std::max(row, 0) + 1);
}
