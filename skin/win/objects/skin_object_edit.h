// The edit object, and the list box object that is the same with the
// "LISTBOX" class: a one-pixel theme border instead of the system's, and the
// control's scroll bars.
#pragma once
#include <windows.h>

#include <vssym32.h>

#include "skin/win/objects/skin_object_nonclient.h"

class CSkinObjectEdit : public CSkinObjectNonClient {
 public:
  const char16_t* ThemeClassName() const override { return u"EDIT"; }

 protected:
  bool DrawsEdges() const override { return true; }
  void DrawEdges(HDC hdc, const RECT& window) override;
  // The part whose border colour the border takes (0: the class's own, in
  // every state).
  virtual int BorderPart() const { return EP_EDITTEXT; }
};

class CSkinObjectListBox : public CSkinObjectEdit {
 public:
  const char16_t* ThemeClassName() const override { return u"LISTBOX"; }

 protected:
  int BorderPart() const override { return 0; }
};
