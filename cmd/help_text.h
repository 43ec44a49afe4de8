// The console program's own texts: its help, the profile list and a
// profile's options. English only, as every console text of the program.
#pragma once
#include <string>

std::u16string HelpText();
// One line per profile: its number, its name with its extension, its task.
std::u16string ProfileListText();
// Each option kind the profile has, with its rows numbered as --size and
// the others take them, the preselected one marked.
std::u16string OptionListText(int profile);
