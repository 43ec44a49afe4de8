// Dialogs from resource templates: modal, or modeless as a child page. One
// static procedure stores the object at WM_INITDIALOG and forwards messages.
#pragma once
#include "framework/win/window.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(int templateId, HWND parent = nullptr)
      : m_nTemplate(templateId), m_hParent(parent) {}
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Modal: runs until EndDialog and returns its result (-1 when creation failed).
  INT_PTR DoModal();
  // Modeless: creates the dialog as a child or owned window; false on failure.
  bool Create(HWND parent);
  void DestroyWindow();
  void EndDialog(INT_PTR result);
  int TemplateId() const { return m_nTemplate; }

  // Moves data between members and controls: save = true reads the controls.
  bool UpdateData(bool save = true);

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void DoDataExchange(bool save) { (void)save; }
  // Command from a control or menu; true when handled.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual void OnOK();
  virtual void OnCancel();
  // Every message first; true when handled, with its result in `result`.
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The window is gone; the object may be reused or deleted.
  virtual void OnDestroyed() {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

  int m_nTemplate;
  HWND m_hParent;
  bool m_bModal = false;
};

// Message box with the program's caption (the executable's name without its
// extension) unless a caption is given.
int AppMessageBox(HWND owner, const std::u16string& text, UINT type,
                  const std::u16string* caption = nullptr);
// The running executable's full path.
std::u16string ModulePath(HMODULE module = nullptr);
