// The conversion log: entries as the converting page keeps them, and the
// bytes of the saved log file.
#pragma once
#include <string>
#include <vector>

// How much of a later encoder chunk the log keeps.
constexpr size_t kLogTailChars = 350;

// "HH:MM:SS " followed by the text, or by its last 350 characters for a tail.
std::u16string FormatLogEntry(int hour, int minute, int second, const std::u16string& text,
                              bool tail);

// The saved log: both sections with their markers, the entries in order, in
// text mode (every line feed as CR LF) with one byte per character. A
// character above U+00FF becomes "?" so that the whole log is written.
std::string SavedLogBytes(const std::vector<std::u16string>& entries);
