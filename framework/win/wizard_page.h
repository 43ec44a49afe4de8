// Base of the wizard's pages: child dialogs created once and hidden, shown by
// EnterPage and hidden again by LeavePage.
#pragma once
#include "framework/win/dialog.h"
#include "framework/win/messages.h"

class CWizardPage : public CDialog {
 public:
  using CDialog::CDialog;
  // Stores the page's values into the shared state and hides the page.
  virtual void LeavePage() = 0;
  // Loads the page's controls from the shared state and shows the page.
  virtual void EnterPage() = 0;
  // A page with work under way (a search for files) must not be left.
  virtual bool IsBusy() const { return false; }
  // Stops that work; the page says when it has stopped.
  virtual void CancelWork() {}

 protected:
  // Enter and Cancel must not end a child page.
  void OnOK() override {}
  void OnCancel() override {}
};
