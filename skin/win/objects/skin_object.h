// The objects room: the skinned objects, one per control kind, and the
// non-client parts (caption, frame, scroll bars, menus), which draw with the
// theme handed to them when they are attached.
//
// Skin objects: what the engine attaches to each window of the process. The
// base takes the window over (subclassing it when the window side says so),
// passes messages on to the previous procedure and answers the engine's state
// messages; each object class adds what its windows need.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "framework/win/window.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/theme/skin_theme.h"
#include "skin/win/theme/theme_metrics.h"

class ThemeClass;
struct SkinScrollBar;

// A kind of skin object, as the class-name map refers to it: the object's
// class name and how to make one. Entries without `create` mark window
// classes that are never skinned.
struct SkinObjectClass {
  const char16_t* name;
  class CSkinObject* (*create)();
};

enum SkinFrameType { kFrameOther = 1, kFrameDialog = 2, kFramePage = 6 };

// Timers the engine runs on skinned windows: hot tracking of the non-client
// area, and the frame refresh after a window was reordered.
constexpr UINT_PTR kHotTimerId = 2763;
constexpr UINT_PTR kRefreshTimerId = 2765;

// What an object is handed when it is attached to its window.
struct SkinAttachment {
  const SkinTheme* theme = nullptr;  // the theme in force, drawn with
  // The procedure that subclasses the window, null to leave the window's own
  // (reached then through the redirected default procedures).
  WNDPROC skinProcedure = nullptr;
  // What stands for the previous procedure of a window not subclassed.
  WNDPROC defaultProcedure = nullptr;
};

// The window property that keeps a subclassed window's previous procedure.
extern const wchar_t kSkinPrevProcProp[];
// Calls a window procedure through the system's own CallWindowProc.
LRESULT CallSkinProcedure(bool unicode, WNDPROC proc, HWND hwnd, UINT msg, WPARAM w, LPARAM l);

class CSkinObject : public CWnd {
 public:
  // Keeps an object alive while its code runs for a message: a window
  // destroyed meanwhile (by the previous procedure, or by a message that a
  // local loop dispatched) is detached at once, and its object deleted only
  // when the outermost use ends.
  class InUse {
   public:
    explicit InUse(CSkinObject* object);
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;

   private:
    CSkinObject* m_object;
  };
  // Deletes an object taken out of the window map, now or when its last use ends.
  static void Dispose(std::unique_ptr<CSkinObject> object);

  CSkinObject() = default;
  virtual ~CSkinObject() = default;
  CSkinObject(const CSkinObject&) = delete;
  CSkinObject& operator=(const CSkinObject&) = delete;

  // The object's run-time class name, as the class-name map gave it.
  const char16_t* ObjectClassName() const;
  virtual const char16_t* ThemeClassName() const { return u"WINDOW"; }

  // Takes the window, subclassing it when `with` names a procedure.
  void AttachWindow(HWND hwnd, const SkinObjectClass& kind, int frameType, bool windowsForms,
                    const SkinAttachment& with);
  // Gives the window its procedure back.
  void DetachWindow();

  // Runs a message for the window; false when the object leaves it to the
  // previous procedure. The base answers the state messages, its children's
  // control-colour messages in the theme's colours, and the erasing with a
  // system-colour class brush.
  virtual bool MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
  LRESULT CallPrevious(UINT msg, WPARAM w, LPARAM l);

  // The skin was loaded, replaced or dropped; flags are 0 or 1. The frame is
  // recalculated and everything repainted.
  virtual void SkinChanged(int oldEnabled, int newEnabled);
  // The skinned bar for SB_HORZ or SB_VERT (SB_CTL for a scroll bar control), or null.
  virtual const SkinScrollBar* ScrollBarFor(int /*bar*/) const { return nullptr; }

  int FrameType() const { return m_frameType; }
  bool IsWindowsForms() const { return m_windowsForms; }
  bool IsSubclassed() const { return m_subclassed; }
  bool IsDefaultOnly() const { return m_defaultOnly; }
  WNDPROC PreviousProc() const { return m_prevProc; }
  bool IsUnicode() const { return m_unicode; }

  // The theme in force, as handed at attaching.
  const SkinTheme& Skin() const { return *m_attachment.theme; }
  // The theme class of this object, null while disabled.
  ThemeClass* Theme() const;
  // The colours, fonts and sizes this window is drawn with.
  const ThemeMetrics& Metrics() const;
  const ThemeSizes& Sizes() const { return Metrics().Sizes(); }

 protected:
  virtual void OnAttached() {}

  // The previous procedure's answer to a message that changes what the
  // control shows, then a repaint in the skin.
  LRESULT CallPreviousAndRepaint(UINT msg, WPARAM w, LPARAM l);
  // The paint messages of a control the object paints whole: WM_PAINT (into
  // a carried device context or its own), WM_PRINTCLIENT asking for the
  // client area, and no background erase; false for any other message, and
  // for print requests that want other parts only.
  template <typename PaintFn>
  bool AnswerPaintMessages(UINT msg, WPARAM w, LPARAM l, LRESULT& result, PaintFn paint) {
    switch (msg) {
      case WM_PAINT:
        PaintForMessage(m_hWnd, w, paint);
        result = 0;
        return true;
      case WM_PRINTCLIENT:
        if (!(l & PRF_CLIENT)) return false;
        paint(reinterpret_cast<HDC>(w));
        result = 0;
        return true;
      case WM_ERASEBKGND:
        result = 1;
        return true;
    }
    return false;
  }
  // The mouse is over the client area or not: true when that changed, and
  // the window is then repainted (asking to hear when the mouse leaves).
  bool TrackHot(bool& hot, bool now);
  // The client area holds the point of a mouse message.
  bool ClientHas(LPARAM point) const;

  // The brush behind a child asking with a button, static, scroll bar or
  // dialog control-colour message.
  virtual HBRUSH FaceBrushFor(HDC dc, HWND child, UINT msg);

  bool FrameOption() const;  // the engine's frame option is on
  // Recalculates the frame (position, size and order kept) without drawing
  // it in between.
  void RecalcFrame();
  bool FrameSuppressed() const { return m_suppressFrame != 0; }
  // Repaints frame, client and children.
  void RedrawAll();

 private:
  bool AnswerControlColor(UINT msg, WPARAM w, LPARAM l, LRESULT& result);

  // Uses in progress, plus kDisposed once the map has let go of the object.
  static constexpr int kDisposed = 1 << 30;
  std::atomic<int> m_uses{0};
  const SkinObjectClass* m_class = nullptr;
  SkinAttachment m_attachment;
  WNDPROC m_prevProc = nullptr;
  bool m_unicode = true;
  bool m_subclassed = false;
  int m_frameType = kFrameOther;
  bool m_defaultOnly = false;
  bool m_windowsForms = false;
  int m_suppressFrame = 0;
};

// The engine's registered state messages.
UINT SkinUpdateStateMessage();
UINT SkinQueryStateMessage();
