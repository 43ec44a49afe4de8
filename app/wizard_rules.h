// The wizard's page sequence, its button rules and the page rectangle.
#pragma once

enum WizardPageIndex {
  kTaskPage = 0,
  kInputPage,
  kOutputPage,
  kConvertingPage,
  kResultPage,
  kPageCount
};

// Bits of the navigation buttons that are enabled on a page.
enum WizardButton { kBtnSaveLog = 1, kBtnPrev = 2, kBtnNext = 4, kBtnRepeat = 8 };
int EnabledButtons(int page);

// The page Next or Prev leads to, or -1 where the button does nothing.
int NextPageOf(int page);
int PrevPageOf(int page);

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Page rectangle in the window's client coordinates, from the window's and
// the frame control's screen rectangles and the caption and edge metrics.
PixelRect ComputePageRect(const PixelRect& window, const PixelRect& frame, int captionHeight,
                          int edgeWidth, int edgeHeight);
