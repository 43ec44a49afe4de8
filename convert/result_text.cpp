#include "convert/result_text.h"

int ShownSuccesses(int taskMode, int files, int succeeded) {
  return taskMode == 1 ? files : succeeded;
}

std::u16string ResultFolderText(bool sameAsSource, const std::u16string& firstInput,
                                const std::u16string& outputFolder) {
  if (!sameAsSource) return outputFolder;
  const size_t slash = firstInput.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : firstInput.substr(0, slash);
}
