// How the dialogs open the dialogs they lead to. Each Show runs the dialog
// modally: it returns once the dialog has closed. The widget layer shows
// windows; the scripted stand-in plays the user's part.
#pragma once

namespace qzdbs::ui {

class frmStructPara;
class frmAttribute;
class frmParaShow;
class frmStructShow;

class SubDialogs {
 public:
  virtual ~SubDialogs() = default;
  virtual void Show(frmStructPara& dialog) = 0;
  virtual void Show(frmAttribute& dialog) = 0;
  virtual void Show(frmParaShow& dialog) = 0;
  virtual void Show(frmStructShow& dialog) = 0;
};

}  // namespace qzdbs::ui
