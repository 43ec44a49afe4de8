// The frame object: every window without an object of its own kind (top-level
// windows, dialogs, and the kinds of control this program never creates). It
// draws the caption and frame of a captioned window and the scroll bars of
// any; a dialog used as a child page paints itself, and its children's
// backgrounds, with the page background.
#pragma once
#include <windows.h>

#include "skin/win/objects/skin_caption.h"
#include "skin/win/objects/skin_object_nonclient.h"
#include "skin/win/objects/skin_page_background.h"

class CSkinObjectFrame : public CSkinObjectNonClient {
 public:
  CSkinObjectFrame() : m_caption(*this) {}

  bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  void SkinChanged(int oldEnabled, int newEnabled) override;

 protected:
  SkinCaptionPart* Caption() override { return &m_caption; }
  const SkinCaptionPart* Caption() const override { return &m_caption; }
  bool DrawsEdges() const override { return m_caption.Shown(); }
  void DrawEdges(HDC hdc, const RECT& window) override { m_caption.Draw(hdc, window); }
  HBRUSH FaceBrushFor(HDC dc, HWND child, UINT msg) override;

 private:
  // A window made from a template keeps its client size under the theme's frame.
  void KeepClientSize();
  bool EraseBackground(HDC hdc);

  SkinCaption m_caption;
  SkinPageBackground m_page;
};
