// Numbers as a language pack's language writes them: its decimal mark and
// the words of its units. English is built in; a pack replaces each text by
// its key ("9144-1" on), so that a new language needs no code.
#pragma once
#include <string>
#include <vector>

#include "app/language_text.h"

struct NumberTexts {
  std::u16string decimalMark = u".";
  std::u16string bytes = u"%1 bytes";
  std::u16string kilobytes = u"%1 KB";
  std::u16string megabytes = u"%1 MB";
  std::u16string gigabytes = u"%1 GB";
  std::u16string speed = u"%1x";
  std::u16string seconds = u"%1 s";
  std::u16string minutes = u"%1 min %2 s";
  std::u16string hours = u"%1 h %2 min";
};
const std::vector<TextKey<NumberTexts>>& NumberTextKeys();

// `value` rounded to `digits` places after the decimal mark (0 to 3); a value
// that is not finite is written as 0.
std::u16string FractionText(double value, int digits, const NumberTexts& texts);
// "12 bytes", "840 KB", "1.2 MB", "2.50 GB" (1024 to the next unit).
std::u16string SizeText(unsigned long long bytes, const NumberTexts& texts);
// "3.2x": seconds of play time per second.
std::u16string SpeedText(double timesRealTime, const NumberTexts& texts);
// "42 s", "99 s", "2 min 10 s", "1 h 2 min": seconds up to 99, rounded to
// whole seconds, then minutes.
std::u16string DurationText(double seconds, const NumberTexts& texts);
