#include "skin/progress_chunks.h"

#include <algorithm>
#include <cstdint>

namespace {

int Wrap(int64_t v) {
  return int(uint32_t(uint64_t(v)));
}

int ClampToInt(int64_t v) {
  return int(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, v)));
}

}  // namespace

int ProgressDefaultChunkSize(const SkinRect& client, bool vertical) {
  return (vertical ? client.Width() : client.Height()) * 2 / 3;
}

int ProgressFilledLength(int length, int low, int high, int pos) {
  return MulDivRound(length, Wrap(int64_t(pos) - low), Wrap(int64_t(high) - low));
}

bool ProgressIsContinuous(int chunk, int space) {
  return (chunk == 0 || chunk == 1) && space == 0;
}

int ProgressChunkCount(int filled, int chunk, int space) {
  // Theme values are not trusted: a step must be positive.
  const int64_t l = std::max(chunk, 1);
  const int64_t s = std::max(space, 0);
  const int64_t n = (int64_t(filled) + s + l - 1) / (s + l);
  return ClampToInt(std::max<int64_t>(n, 0));
}

std::vector<SkinRect> ProgressChunkRects(const ProgressBarInput& in) {
  std::vector<SkinRect> out;
  const SkinRect& r = in.client;
  const SkinRect& c = in.content;
  const int length = in.vertical ? c.Height() : c.Width();
  const int filled = ProgressFilledLength(length, in.low, in.high, in.position);
  const int chunk = in.themeChunk ? *in.themeChunk : ProgressDefaultChunkSize(r, in.vertical);
  const int space = in.themeSpace ? *in.themeSpace : kProgressDefaultSpace;

  if (ProgressIsContinuous(chunk, space)) {
    if (filled > 0) {
      if (in.vertical) {
        out.push_back(SkinRect{c.left, c.bottom - filled, c.right, c.bottom});
      } else {
        out.push_back(SkinRect{c.left, c.top, c.left + filled, c.bottom});
      }
    }
    return out;
  }

  const int64_t l = std::max(chunk, 1);
  const int64_t step = l + std::max(space, 0);
  const int count = ProgressChunkCount(filled, chunk, space);
  for (int k = 0; k < count; ++k) {
    if (in.vertical) {
      const int64_t bottom = int64_t(c.bottom) - k * step;
      if (bottom <= r.top) break;
      int64_t top = bottom - l;
      if (top <= r.top) top = int64_t(r.top) + 1;
      out.push_back(SkinRect{c.left, int(top), c.right, int(bottom)});
    } else {
      const int64_t left = int64_t(c.left) + k * step;
      if (left >= r.right) break;
      int64_t right = left + l;
      if (right >= r.right) right = int64_t(r.right) - 1;
      out.push_back(SkinRect{int(left), c.top, int(right), c.bottom});
    }
  }
  return out;
}

int MarqueeDefaultChunkSize(const SkinRect& content) {
  return content.Height() * 2 / 3;
}

std::vector<SkinRect> MarqueeChunkRects(const SkinRect& content, int offset,
                                        std::optional<int> themeChunk,
                                        std::optional<int> themeSpace) {
  const int64_t l = std::max(themeChunk ? *themeChunk : MarqueeDefaultChunkSize(content), 0);
  const int64_t s = std::max(themeSpace ? *themeSpace : kProgressDefaultSpace, 0);
  std::vector<SkinRect> out;
  int64_t x = int64_t(content.left) + offset;
  for (int i = 0; i < kMarqueeChunks; ++i) {
    if (x >= content.right) x = content.left;
    const int64_t right = std::min<int64_t>(x + l, content.right);
    out.push_back(SkinRect{int(x), content.top, int(right), content.bottom});
    x += l + s;
  }
  return out;
}

int MarqueeStepChunkSize(const SkinRect& client) {
  return (2 * client.Height() - 12) / 3;
}

int AdvanceMarquee(int offset, int steps, const SkinRect& client, std::optional<int> themeChunk,
                   std::optional<int> themeSpace) {
  const int64_t l = themeChunk ? *themeChunk : MarqueeStepChunkSize(client);
  const int64_t s = themeSpace ? *themeSpace : kProgressDefaultSpace;
  const int64_t next = int64_t(offset) + steps * (l + s);
  if (next > client.right) return 0;
  return ClampToInt(next);
}

int MarqueeStepsPerTick(int intervalMs) {
  return intervalMs <= 50 ? 2 : 1;
}
