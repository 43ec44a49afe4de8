// What the result page shows after a run.
#pragma once
#include <string>
#include <vector>

#include "app/language_text.h"

// The successes shown; with task mode 1 the page shows the number of files.
int ShownSuccesses(int taskMode, int files, int succeeded);

// The output folder: the first input's folder when writing beside the
// sources (without its last backslash), else the stored output folder.
std::u16string ResultFolderText(bool sameAsSource, const std::u16string& firstInput,
                                const std::u16string& outputFolder);
