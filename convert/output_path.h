// Where one file of a run is written. The run asks here and nowhere else, so
// that whatever later runs files side by side names them the same way.
#pragma once
#include <string>

#include "app/input_files.h"
#include "profiles/convert_job.h"
#include "profiles/input_details.h"

// The folders below the output folder that keep a file's place under the
// folder it was added with, ending in a backslash: for D:\Videos\Holiday\Day
// 1\clip.avi found under D:\Videos\Holiday, "Holiday\Day 1\". The added
// folder's own name is kept, so that two folders added one after the other
// stay apart; a drive or a network share has no name of its own, so below
// one only the path under it is kept. Empty for a file added by itself, or
// one that does not lie below its root.
std::u16string KeptFolders(const INPUT_FILE& file);

// How the result page names a file: its path below the folder it was added
// with ("Day 1\clip.avi" for the file above), so that files of one name in
// different folders tell apart; its display name for a file added by itself.
std::u16string NameBelowRoot(const INPUT_FILE& file);

// The output path of one file: with "Same as source", beside its source;
// otherwise in the output folder, below the kept folders of a file that came
// with a folder. The name is the source's name and the profile's extension
// (clip.avi.avi) either way.
std::u16string FileOutputPath(bool sameAsSource, const std::u16string& outputFolder,
                              const INPUT_FILE& file, int profile);

// The folder the run creates just before the file's encoder starts: the
// output's own folder when kept folders lead to it, else empty, since the
// output folder and a source's folder are the user's and are never created.
std::u16string FolderToCreate(bool sameAsSource, const INPUT_FILE& file,
                              const std::u16string& outputPath);

// The command line that converts `input` into `output` with the job's profile
// and rows, both paths in the form the encoder can open, and with what the
// input's details call for (none when not known). The run and the console's
// dry run build it here alone, so the two never differ.
std::u16string FileCommandLine(CONVERT_JOB job, const std::u16string& input,
                               const std::u16string& output, const std::u16string& appDir,
                               const InputDetails* details = nullptr);

enum class PathProblem {
  None,
  NameTooLong,  // a part of the output path is longer than a folder entry may be
  TooLong,      // the command line would be longer than a process may be started with
};

// Longest name of a folder entry; longest command line of a process, without its end.
constexpr size_t kLongestName = 255;
constexpr size_t kLongestCommandLine = 32766;

// Why a file cannot be converted as planned, found before its encoder starts.
PathProblem OutputPathProblem(const std::u16string& outputPath, const std::u16string& commandLine);

// Where a file is written whose output another file of the run has converted
// already, until it is moved over that output: beside it, with the same
// extension so that the encoder makes the same kind of file, for the n-th
// try 1 on: D:\o\clip.avi.mp3 becomes D:\o\clip.avi.partial.mp3, then
// D:\o\clip.avi.partial2.mp3.
std::u16string PartialOutputPath(const std::u16string& outputPath, int n);
