// The rows of the task page's "Simultaneous conversions" box on a machine
// with a given number of logical processors, and the choice each row stands
// for: "1" up to what the machine offers, then Automatic.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The largest number offered: the processors, at most kMostSimultaneous.
int MostSimultaneousOffered(int processors);
std::vector<std::u16string> SimultaneousRows(int processors, const std::u16string& automatic);
// The row that shows a choice. A stored number this machine does not offer
// shows as the largest one offered; the stored value stays until a pick.
int SimultaneousRowOf(int32_t choice, int processors);
// The choice of a row; kSimultaneousAutomatic for the last.
int32_t SimultaneousChoiceAt(int row, int processors);
