// The encoder command line of one conversion, and the paths it names.
#pragma once
#include <string>

#include "profiles/catalogue.h"
#include "profiles/convert_job.h"
#include "profiles/input_details.h"

// Formats the command line for the job: the long form passes the profile's
// container argument and all eight option slots, the short form
// (bUseOriginal) only the container and the two codecs. Empty slots keep
// their blanks. Then, before the output path, what the input calls for
// (InputArguments), with its blank only when there is any. With no job,
// returns false and leaves out untouched.
bool BuildCommandLine(const CONVERT_JOB* job, std::u16string& out,
                      const InputDetails* details = nullptr);

// The arguments an input needs beyond the profile's rows, the one place that
// decides them; empty for an input that needs nothing or is not known, so
// that its command line stays as it has always been:
// - a video encoder that writes what players take only as 8-bit 4:2:0 gets
//   -pix_fmt yuv420p from any other input (10-bit, 4:2:2, 4:4:4);
// - HDR video (PQ or HLG) under a profile that writes video is mapped to SDR
//   BT.709 and 8-bit 4:2:0, scaled to the size row's size first (the source's
//   with none) so that the mapping works on no more pixels than it must.
std::u16string InputArguments(const CONVERT_JOB& job, const InputDetails* details);

// The profile's container argument for this input. A disc target ("-target
// dvd") leaves the norm to the encoder, which tells it from the first video
// stream's clock alone and stops when that is not 25 or 29.97 ticks a second
// (so from nearly every MP4, MOV or MKV); for such a known input the norm is
// named after its frame rate: PAL for 25 and 50, NTSC otherwise. Any other
// input keeps the argument as it is.
std::u16string FormatArgument(const CONVERT_JOB& job, const InputDetails* details);

// The job's row field for an option kind.
int32_t& JobRow(CONVERT_JOB& job, OptionKind kind);
int32_t JobRow(const CONVERT_JOB& job, OptionKind kind);

// Where a converted file goes: beside its source (full path plus the
// profile's extension) or in the output folder (display name plus extension).
// The source's own extension stays in the name, so a source is never
// overwritten by its own conversion.
std::u16string OutputPath(bool sameAsSource, const std::u16string& folder,
                          const std::u16string& fullPath, const std::u16string& displayName,
                          int profile);

// A folder as the start of a path: with a separator at its end. A stored or
// typed folder may lack it (C:\users), and the name would then run on into it.
// An empty folder stays empty.
std::u16string FolderWithSeparator(const std::u16string& folder);

// The encoder lies in the application folder, which ends in a backslash.
std::u16string EncoderPath(const std::u16string& appDir);
