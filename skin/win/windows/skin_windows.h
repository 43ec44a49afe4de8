// The window room: the window side, which attaches objects to windows: the
// per-thread creation hook, the class table that chooses each window's
// object, subclassing and the window procedure, and the redirected system
// functions with their table (skin_redirect.h).
#pragma once
#include <windows.h>

#include <string>

#include "skin/win/theme/skin_theme.h"

class CSkinObject;
class SkinWindowMap;

// What the window side asks of the engine that made it: the theme in force
// and whether new windows are brought under it.
class SkinWindowHost : public SkinTheme {
 public:
  virtual bool GetAutoAttach() const = 0;
};

// What the window side does when a theme comes or goes; the engine reaches
// it through this alone.
class SkinEngineHooks {
 public:
  virtual ~SkinEngineHooks() = default;
  virtual void RemoveRedirections() = 0;
  virtual void InstallRedirections(int applyOptions) = 0;
  // Tells every skinned window that the skin changed, after posting the
  // colour change to top-level windows and attaching windows not yet mapped;
  // objects whose window is gone are dropped.
  virtual void SkinChanged(int oldEnabled, int newEnabled) = 0;
  // The engine goes: redirections, creation hooks and the window-event hook
  // are removed, so that nothing calls into it any more; then every window
  // gets its own procedure back and the objects are freed.
  virtual void Shutdown() = 0;
};

// Makes the window side for `host` (once: it lives as long as the process,
// since threads and windows may outlive the engine), fills the class-name
// map and installs the creation hook for the calling thread.
SkinEngineHooks& CreateSkinWindowSide(const SkinWindowHost& host);

// The engine the window side serves, for the places the system calls back
// with no context (a hook, a redirected function, a subclassed window's
// procedure): null before it is made and once it goes.
const SkinWindowHost* SkinHost();
// A theme is in force (false while there is no engine).
bool SkinEnabled();

// The creation hook of the calling thread (once per thread).
void InstallCreationHook();
void RemoveCreationHook();
// Every thread's creation hook, when the engine goes.
void RemoveAllCreationHooks();

// The object attached, or null (not skinned, excluded, mapped already).
CSkinObject* SkinAttach(HWND hwnd, const std::u16string& className, const CREATESTRUCTW* create);
void SkinDetach(HWND hwnd);
// The object attached to a window, or null.
CSkinObject* SkinObjectFor(HWND hwnd);

// A procedure of the system's window modules: one the engine may replace,
// and one whose messages the system draws.
bool IsSystemProcedure(WNDPROC proc);

// The window procedure of subclassed windows.
LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
// Gives a window reached through the default procedures its object's hook.
bool RouteThroughDefault(HWND hwnd, UINT msg, WPARAM w, LPARAM l, LRESULT& result);
