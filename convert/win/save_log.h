// "Save log": asks where, then writes the conversion log as a text file.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

void SaveConversionLog(HWND owner, const std::vector<std::u16string>& entries);
// Writes the saved log's bytes; false when the file cannot be written.
bool WriteConversionLog(const std::u16string& path, const std::vector<std::u16string>& entries);
