// The engine's own pop-up menu: windows of the class "SkinManagerMenu" drawn
// with the theme's menu colours and font, run by a modal loop of its own.
#pragma once
#include <windows.h>

// Shows `menu` as the engine's pop-up menu and runs it to the end; behaves
// like TrackPopupMenuEx (flags TPM_*, `exclude` may be null): with
// TPM_RETURNCMD returns the chosen command id or 0, else returns nonzero
// when an item was chosen and posts WM_COMMAND to `owner` (unless TPM_NONOTIFY).
// While the skin is disabled or its menus are off, the system shows the menu.
BOOL SkinTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const RECT* exclude);
