// A static text that behaves as a link: link colours, a hand cursor and a
// tool tip with the target, underlined while the mouse is over it, and a click
// opens the target through the shell (or the registered browser).
#pragma once
#include "framework/win/window.h"

class CLinkStatic : public CWnd {
 public:
  CLinkStatic();
  ~CLinkStatic();
  CLinkStatic(const CLinkStatic&) = delete;
  CLinkStatic& operator=(const CLinkStatic&) = delete;

  // Takes over the static control `id` of `parent`; its click and colour
  // notifications to the parent come back to this object.
  bool SubclassDlgItem(int id, HWND parent);

  // A web address, a mailto: address or a folder path.
  void SetTarget(const std::u16string& target);
  const std::u16string& GetTarget() const { return m_strTarget; }
  // 1: always underlined; -1: while the mouse is over it; others: never.
  void SetUnderlineMode(int mode);
  // Resizes the control to its text, keeping the edge its alignment names.
  void FitToText();

  // Opens the target; the shell's result code (above 32 on success).
  static int OpenTarget(const std::u16string& target, int showCmd);
  // Tells the user why a target could not be opened.
  void ShowOpenError(int code) const;

  COLORREF m_clrNormal = RGB(0, 0, 238);
  COLORREF m_clrVisited = RGB(85, 26, 139);
  COLORREF m_clrHover = RGB(255, 0, 0);
  int m_bHover = 0;
  int m_bVisited = 0;
  int m_nUnderlineMode = -1;
  int m_bFitToText = 1;
  std::u16string m_strTarget;
  HFONT m_fontUnderlined = nullptr;
  HFONT m_fontPlain = nullptr;
  HCURSOR m_hHandCursor = nullptr;
  HWND m_tip = nullptr;
  UINT_PTR m_nTimer = 100;

 private:
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
  void SetUp();
  void Detach();
  void OnClicked();
  void OnMouseMove();
  void OnTimer();
  void SetFont(HFONT font);
  // Repaints the control and the parent's background under it.
  void Redraw(int extraBottom = 0);

  HWND m_hParent = nullptr;
  HFONT m_hOriginalFont = nullptr;
};

// "Unable to open hyperlink:\n\n" and the text for a shell result code.
std::u16string OpenErrorMessage(int code);
// The browser's registered command cut before its "%1", followed by the
// target as one quoted argument.
std::u16string BrowserCommandLine(const std::u16string& registered, const std::u16string& target);
