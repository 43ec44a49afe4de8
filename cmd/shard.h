// One machine's share of a batch split over several with no coordinator:
// each file goes to a share by its path below the input it was found under,
// so every machine given the same arguments agrees, whatever its drive
// letters and whatever the order of the list, and a file added later moves
// no other.
#pragma once
#include <string>
#include <vector>

#include "app/input_files.h"

struct SHARD {
  int index = 1;  // from 1
  int count = 1;  // 1: the whole batch
};

// "K/N" with 1 <= K <= N. False with `error` naming the value otherwise.
bool ParseShard(const std::u16string& text, SHARD& out, std::u16string& error);

// The share (1 to count) a file belongs to. Letter case and either slash
// are alike, as Windows compares names.
int ShareOf(const INPUT_FILE& file, int count);
bool InShard(const INPUT_FILE& file, const SHARD& shard);
std::vector<INPUT_FILE> FilesOfShard(const std::vector<INPUT_FILE>& files, const SHARD& shard);

// A file this share writes, named apart from the other shares' in a folder
// they share: "run.json" becomes "run.2of3.json"; unchanged for one share.
std::u16string ShardFileName(const std::u16string& path, const SHARD& shard);
