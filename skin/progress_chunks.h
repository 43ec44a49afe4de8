// Chunk arithmetic of the skinned progress bar: how much of the bar is filled
// and where each chunk goes, for normal bars and the marquee.
#pragma once
#include <optional>
#include <vector>

#include "skin/skin_geometry.h"

constexpr int kProgressDefaultSpace = 2;

// Chunk size without a theme value: two thirds of the client width for a
// vertical bar, of its height otherwise.
int ProgressDefaultChunkSize(const SkinRect& client, bool vertical);

// Filled length of a bar of the given length: MulDiv(length, pos - low, high - low).
int ProgressFilledLength(int length, int low, int high, int pos);

// Number of chunks for a filled length: (H + S + L - 1) / (S + L), never below 0.
int ProgressChunkCount(int filled, int chunk, int space);

// L of 0 or 1 with no space draws one continuous chunk.
bool ProgressIsContinuous(int chunk, int space);

struct ProgressBarInput {
  SkinRect client;   // R
  SkinRect content;  // C, R less the bar part's content margins
  bool vertical = false;
  int low = 0;
  int high = 100;
  int position = 0;
  std::optional<int> themeChunk;  // "PROGRESSCHUNKSIZE" when the theme has it
  std::optional<int> themeSpace;  // "PROGRESSSPACESIZE"
};

// Rectangles to draw the chunk part into, in drawing order. Horizontal chunks
// run from C's left edge, vertical ones grow upward from C's bottom; drawing
// stops at R's far edge and a chunk touching it is trimmed by one pixel.
std::vector<SkinRect> ProgressChunkRects(const ProgressBarInput& in);

constexpr int kMarqueeChunks = 5;
constexpr int kMarqueeTimerId = 102;

// Marquee chunk size without a theme value: two thirds of C's height.
int MarqueeDefaultChunkSize(const SkinRect& content);

// The five marquee chunks from C's left edge plus the offset, each cut at C's
// right edge; a chunk that would start at or past that edge wraps to the left.
std::vector<SkinRect> MarqueeChunkRects(const SkinRect& content, int offset,
                                        std::optional<int> themeChunk,
                                        std::optional<int> themeSpace);

// Chunk size used when stepping the marquee without a theme value:
// (2 * client height - 12) / 3.
int MarqueeStepChunkSize(const SkinRect& client);

// Offset after advancing by steps chunks; back to 0 once past the client's
// right edge.
int AdvanceMarquee(int offset, int steps, const SkinRect& client, std::optional<int> themeChunk,
                   std::optional<int> themeSpace);

// Steps per timer tick: short intervals move two chunks so the speed holds.
int MarqueeStepsPerTick(int intervalMs);
