#include "app/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Beyond this nobody reads the digits, and "%f" stays short.
constexpr double kLargest = 1e15;

}  // namespace

const std::vector<TextKey<NumberTexts>>& NumberTextKeys() {
  static const std::vector<TextKey<NumberTexts>> keys = {
      {&NumberTexts::decimalMark, u"9144-1"}, {&NumberTexts::bytes, u"9144-2"},
      {&NumberTexts::kilobytes, u"9144-3"},   {&NumberTexts::megabytes, u"9144-4"},
      {&NumberTexts::gigabytes, u"9144-5"},   {&NumberTexts::speed, u"9144-6"},
      {&NumberTexts::seconds, u"9144-7"},     {&NumberTexts::minutes, u"9144-8"},
      {&NumberTexts::hours, u"9144-9"},
  };
  return keys;
}

std::u16string FractionText(double value, int digits, const NumberTexts& texts) {
  if (!std::isfinite(value)) value = 0;
  value = std::clamp(value, -kLargest, kLargest);
  digits = std::clamp(digits, 0, 3);
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", digits, value);
  std::u16string out;
  for (char16_t c : AsciiText(text)) {
    if (c == u'.')
      out += texts.decimalMark;
    else
      out += c;
  }
  return out;
}

std::u16string SizeText(unsigned long long bytes, const NumberTexts& texts) {
  constexpr unsigned long long kKilo = 1024;
  if (bytes < kKilo) return FillIn(texts.bytes, {DecimalText(int64_t(bytes))});
  if (bytes < kKilo * kKilo)
    return FillIn(texts.kilobytes, {DecimalText(int64_t((bytes + kKilo / 2) / kKilo))});
  if (bytes < kKilo * kKilo * kKilo)
    return FillIn(texts.megabytes, {FractionText(double(bytes) / double(kKilo * kKilo), 1, texts)});
  return FillIn(texts.gigabytes,
                {FractionText(double(bytes) / double(kKilo * kKilo * kKilo), 2, texts)});
}

std::u16string SpeedText(double timesRealTime, const NumberTexts& texts) {
  return FillIn(texts.speed, {FractionText(timesRealTime, 1, texts)});
}

std::u16string DurationText(double seconds, const NumberTexts& texts) {
  if (!(seconds > 0) || !std::isfinite(seconds)) seconds = 0;
  const int64_t whole = int64_t(std::min(seconds, kLargest) + 0.5);
  if (whole < 100) return FillIn(texts.seconds, {DecimalText(whole)});
  if (whole < 3600)
    return FillIn(texts.minutes, {DecimalText(whole / 60), DecimalText(whole % 60)});
  const int64_t minutes = (whole + 30) / 60;
  return FillIn(texts.hours, {DecimalText(minutes / 60), DecimalText(minutes % 60)});
}
