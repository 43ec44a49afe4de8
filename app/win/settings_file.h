// Reading "Option.dat": the window's dialogs and the console program take
// the settings from it the same way.
#pragma once
#include <functional>
#include <string>

class Archive;

// Hands a loading archive over the file's bytes to `serialize`; false when
// the file cannot be read. Strings stored in the ANSI code page are decoded
// with the system's.
bool LoadSettingsFile(const std::u16string& path, const std::function<void(Archive&)>& serialize);
