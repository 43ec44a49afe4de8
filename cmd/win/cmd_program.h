// The console program put together: its arguments read, its settings
// mapped, its inputs expanded, then a listing, a dry run or a run.
#pragma once
#include <string>
#include <vector>

// The arguments after the program's name; returns the exit code.
int RunCommand(const std::vector<std::u16string>& args);
