#include "app/wizard_rules.h"

int EnabledButtons(int page) {
  switch (page) {
    case kTaskPage:
      return kBtnNext;
    case kInputPage:
    case kOutputPage:
      return kBtnPrev | kBtnNext;
    case kResultPage:
      return kBtnSaveLog | kBtnPrev | kBtnRepeat;
    default:
      return 0;
  }
}

int NextPageOf(int page) {
  return page == kTaskPage || page == kInputPage || page == kOutputPage ? page + 1 : -1;
}

int PrevPageOf(int page) {
  switch (page) {
    case kInputPage:
      return kTaskPage;
    case kOutputPage:
      return kInputPage;
    case kResultPage:  // back to the settings for a new run over the same files
      return kOutputPage;
    default:
      return -1;
  }
}

PixelRect ComputePageRect(const PixelRect& w, const PixelRect& f, int captionHeight, int edgeWidth,
                          int edgeHeight) {
  PixelRect r;
  r.left = f.left - w.left - 2 * edgeWidth + 3;
  r.right = f.right - w.left - 2 * edgeWidth - 3;
  r.top = f.top - (w.top + captionHeight + edgeHeight) + 7;
  r.bottom = f.bottom - (w.top + captionHeight + edgeHeight) - 3;
  return r;
}
