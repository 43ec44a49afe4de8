// Where the process looks for a DLL loaded by name: the system's folder and
// the program's own, never the current folder or the PATH. Every program of
// ours calls it first thing.
#pragma once

// False when the system offers no such restriction (before Windows 8 without
// its update); the current folder is then at least left out.
bool RestrictDllSearch();
