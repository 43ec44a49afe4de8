#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run_settings.h"

namespace {

int32_t Loaded(const std::string& text) {
  return LoadRunSettings(reinterpret_cast<const uint8_t*>(text.data()), text.size()).nSimultaneous;
}

TEST(RunSettings, StoresOneHeadingAndOneLine) {
  RUN_SETTINGS s;
  const auto bytes = StoreRunSettings(s);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Vidmorph]\r\nSimultaneousConversions=1\r\n");
  s.nSimultaneous = kSimultaneousAutomatic;
  const auto automatic = StoreRunSettings(s);
  EXPECT_EQ(std::string(automatic.begin(), automatic.end()),
            "[Vidmorph]\r\nSimultaneousConversions=auto\r\n");
}

TEST(RunSettings, EveryChoiceComesBack) {
  for (int32_t n = 0; n <= kMostSimultaneous; ++n) {
    RUN_SETTINGS s;
    s.nSimultaneous = n;
    const auto bytes = StoreRunSettings(s);
    EXPECT_EQ(LoadRunSettings(bytes.data(), bytes.size()).nSimultaneous, n);
  }
}

TEST(RunSettings, WhatAPersonMightWriteIsRead) {
  EXPECT_EQ(Loaded("SimultaneousConversions=3"), 3);  // no heading, no line end
  EXPECT_EQ(Loaded("\xEF\xBB\xBF[Vidmorph]\nsimultaneousconversions = 4 \n"), 4);
  EXPECT_EQ(Loaded("; note\r\n[Vidmorph]\r\nOther=9\r\n  SimultaneousConversions\t=\tAUTO\r\n"),
            kSimultaneousAutomatic);
  EXPECT_EQ(Loaded("SimultaneousConversions=08"), 8);
  // The first of a repeated name counts, even when it is bad.
  EXPECT_EQ(Loaded("SimultaneousConversions=2\nSimultaneousConversions=5\n"), 2);
  EXPECT_EQ(Loaded("SimultaneousConversions=x\nSimultaneousConversions=5\n"), 1);
}

TEST(RunSettings, MissingShortGarbageOrOutOfRangeKeepsOne) {
  for (const std::string& text : std::vector<std::string>{
           "", "[Vidmorph]\r\n", "Simultaneous", "SimultaneousConversions",
           "SimultaneousConversions=", "SimultaneousConversions=0", "SimultaneousConversions=9",
           "SimultaneousConversions=-2", "SimultaneousConversions=99999999999",
           "SimultaneousConversions=2x", "SimultaneousConversions=2 3",
           "SimultaneousConversions=+2", "SimultaneousConversions=automatic",
           "Simultaneous Conversions=2", std::string("SimultaneousConversions=2\0", 26),
           std::string(4096, '\xFF'), std::string("\x02\x00\x00\x00\xFF\xFE\xFF\x03", 8)}) {
    EXPECT_EQ(Loaded(text), 1) << text;
  }
}

TEST(RunSettings, EncodersForAChoiceOnThisMachine) {
  EXPECT_EQ(SimultaneousEncoders(1, 16), 1);
  EXPECT_EQ(SimultaneousEncoders(3, 4), 3);
  EXPECT_EQ(SimultaneousEncoders(8, 16), 8);
  // A file written on a larger machine asks for more than this one has.
  EXPECT_EQ(SimultaneousEncoders(6, 4), 6);
  EXPECT_EQ(SimultaneousEncoders(8, 1), 8);
  EXPECT_EQ(SimultaneousEncoders(kSimultaneousAutomatic, 2), 1);
  EXPECT_EQ(SimultaneousEncoders(kSimultaneousAutomatic, 1), 1);
  EXPECT_EQ(SimultaneousEncoders(kSimultaneousAutomatic, 7), 3);
  EXPECT_EQ(SimultaneousEncoders(kSimultaneousAutomatic, 12), 6);
  EXPECT_EQ(SimultaneousEncoders(kSimultaneousAutomatic, 64), 8);
  EXPECT_EQ(SimultaneousEncoders(kSimultaneousAutomatic, 0), 1);  // an unknown count
  EXPECT_EQ(SimultaneousEncoders(-4, 8), 1);
  EXPECT_EQ(SimultaneousEncoders(40, 8), 8);
}

}  // namespace
