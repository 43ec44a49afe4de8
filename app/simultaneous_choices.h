// The rows of the task page's "Simultaneous conversions" box on a machine
// with a given number of logical processors, and the choice each row stands
// for: "1" up to what the machine offers, then Automatic.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The largest number offered: the processors, or a stored number above them,
// since the run honours it as it stands (a file from a larger machine, or
// edited by hand); at most kMostSimultaneous.
int MostSimultaneousOffered(int processors, int32_t stored);
// "1" up to `offered`, then Automatic.
std::vector<std::u16string> SimultaneousRows(int offered, const std::u16string& automatic);
// The row that shows a choice; a stray value shows as the nearest number.
int SimultaneousRowOf(int32_t choice, int offered);
// The choice of a row; kSimultaneousAutomatic for the last.
int32_t SimultaneousChoiceAt(int row, int offered);
