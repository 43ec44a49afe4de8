// What the wizard says of an output folder that cannot take the run's files,
// once, before the run starts. English is built in; a pack replaces the words
// by key ("9148-1" on).
#pragma once
#include <string>
#include <vector>

#include "app/language_text.h"

struct OutputFolderTexts {
  std::u16string missing = u"The output folder %1 does not exist. Create it?";
  std::u16string notCreated = u"The output folder %1 cannot be created: %2";
  std::u16string notWritable =
      u"Files cannot be written in the output folder %1. Please choose another folder.";
};
const std::vector<TextKey<OutputFolderTexts>>& OutputFolderTextKeys();
