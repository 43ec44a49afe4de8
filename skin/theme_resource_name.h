// Names under which a theme module keeps its INI texts and images.
#pragma once
#include <string>
#include <string_view>

// A file name as a resource name: "." and "\" become "_", so
// "NormalBlack2.ini" is found as NormalBlack2_ini.
std::u16string ThemeResourceName(std::u16string_view fileName);

// The scheme named by the module's "THEMES_INI" text when no INI name is
// given: the text after the first "[File." up to the next "]", plus "_ini".
// Empty when the text names none.
std::u16string DefaultThemeIniName(std::u16string_view themesIniText);
