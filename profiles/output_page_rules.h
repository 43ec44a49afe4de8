// What the output settings page decides without a window: which profiles a
// task offers, the texts and item data of its boxes, and how its folder text
// is kept.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/catalogue.h"
#include "profiles/convert_job.h"
#include "profiles/output_settings.h"

// Profile numbers the profile box offers for a task (g_nTaskAvi), in catalogue
// order: 0 video, 1 audio (by the catalogue's ranges), 2 create (0-2),
// anything else all.
std::vector<int> ProfilesForTask(int task);

// The profile box's item text, name then extension in parentheses.
std::u16string ProfileItemText(int profile);

struct OptionItem {
  std::u16string label;
  int row;  // the item data: a row number of the kind's table
};
// The items of one option box for a profile, in display order.
std::vector<OptionItem> OptionItems(int profile, OptionKind kind);

// The position to select for a stored profile position: itself when the box
// holds it, else the first item, so the page never hands on no profile.
// -1 only for an empty box.
int ProfilePosition(int stored, int count);

// The row a position of a profile's option box selects; -1 for none, as the
// box selects nothing for a position outside its list.
int OptionRowAt(int profile, OptionKind kind, int position);

// What leaving the page hands the run: the profile at the stored profile
// position of the task's box, and the rows at the stored option positions.
// The console program maps stored settings through here too.
void ChosenJob(const OUTPUT_SETTINGS& settings, int task, CONVERT_JOB& job);

// The saved position of a kind's box.
int32_t& SavedPosition(OUTPUT_SETTINGS& settings, OptionKind kind);
int32_t SavedPosition(const OUTPUT_SETTINGS& settings, OptionKind kind);

// A chosen folder as stored: with one trailing backslash.
std::u16string FolderWithBackslash(const std::u16string& folder);
// The folder text kept on leaving: an empty text means "C:\".
std::u16string StoredFolder(const std::u16string& text);
