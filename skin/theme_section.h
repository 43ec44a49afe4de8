// Property keys and INI section names. A key packs class, part, state and
// property id into 32 bits; a section's key is the key with property id 0, so
// a line's key is the section key plus the property id.
#pragma once
#include <cstdint>
#include <string_view>

constexpr int kThemeMaxClass = 64;
constexpr int kThemeMaxPart = 64;
constexpr int kThemeMaxState = 256;
constexpr int kThemeMaxPropertyId = 16384;

// Unsigned 32-bit arithmetic throughout; it wraps for states of 64 and more.
constexpr uint32_t ThemePropertyKey(uint32_t classCode, uint32_t part, uint32_t state,
                                    uint32_t propertyId) {
  return (classCode + part * 64u + state * 4096u) * 16384u + propertyId;
}

struct ThemeSection {
  int classCode = 0;
  int part = 0;
  int state = 0;
};

// Parses a section name (the text between the brackets), e.g.
// "Button.PushButton(Hot)". False when the section's lines are to be ignored:
// a name with ":" (the "::" sections) or an unknown class. Unknown part or
// state names give 0, so their lines apply to the whole class or part.
bool ParseThemeSection(std::u16string_view name, ThemeSection& out);

// The section key for a name, 0 when its lines are ignored.
uint32_t ThemeSectionKey(std::u16string_view name);
