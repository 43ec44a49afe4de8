#include "app/output_folder_text.h"

const std::vector<TextKey<OutputFolderTexts>>& OutputFolderTextKeys() {
  static const std::vector<TextKey<OutputFolderTexts>> keys = {
      {&OutputFolderTexts::missing, u"9148-1"},
      {&OutputFolderTexts::notCreated, u"9148-2"},
      {&OutputFolderTexts::notWritable, u"9148-3"},
  };
  return keys;
}
