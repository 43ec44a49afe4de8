// Bringing windows under the skin: the per-thread creation hook, attaching by
// window class and detaching. Installed once by the engine when it is made.
#pragma once
#include <windows.h>

#include <string>

class SkinEngine;
class CSkinObject;

// Fills the class-name map, connects the engine's hooks and installs the
// creation hook for the calling thread.
void InstallSkinWindowSide(SkinEngine& engine);

// The creation hook of the calling thread (once per thread).
void InstallCreationHook();
void RemoveCreationHook();
// Every thread's creation hook, when the engine goes.
void RemoveAllCreationHooks();

// The object attached, or null (not skinned, excluded, mapped already).
CSkinObject* SkinAttach(HWND hwnd, const std::u16string& className, const CREATESTRUCTW* create);
void SkinDetach(HWND hwnd);

// A procedure of the system's window modules: one the engine may replace,
// and one whose messages the system draws.
bool IsSystemProcedure(WNDPROC proc);
