// Thin base for every dialog of the suite: owns the HWND, stores `this` at
// WM_INITDIALOG and forwards the messages windows care about to small virtual
// handlers. Each window is then one small class whose OnCommand has one line per id.
// No exception leaves a handler: it is caught at the window procedure.
#pragma once
#include <windows.h>

namespace vaultrine::win {

class DialogBase {
 public:
  DialogBase(HINSTANCE instance, int template_id)
      : instance_(instance), template_(MAKEINTRESOURCEW(template_id)) {}
  // Templates known by name rather than number (a static string).
  DialogBase(HINSTANCE instance, const wchar_t* template_name)
      : instance_(instance), template_(template_name) {}
  virtual ~DialogBase();
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  // Modal: returns the EndDialog result, or -1 when the template cannot be loaded.
  // A program that must name its dialog procedure passes one that forwards to
  // Procedure.
  INT_PTR RunModal(HWND owner, DLGPROC procedure = nullptr);
  // Modeless: returns the window, or null.
  HWND Create(HWND owner);

  // The dialog procedure every DialogBase window runs.
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  HINSTANCE instance() const { return instance_; }
  void End(INT_PTR result);

 protected:
  // Return TRUE to let the system set the focus, as for WM_INITDIALOG.
  virtual BOOL OnInit() { return TRUE; }
  // Return true when handled. Default: IDOK/IDCANCEL end the modal dialog.
  virtual bool OnCommand(int id, int notify_code, HWND control);
  virtual void OnTimer(UINT_PTR /*timer_id*/) {}
  // Return a brush to colour a control (WM_CTLCOLOR*), or null for the default.
  virtual HBRUSH OnCtlColor(HDC /*dc*/, HWND /*control*/, UINT /*message*/) { return nullptr; }
  // Return true when painted.
  virtual bool OnPaint() { return false; }
  virtual void OnDestroy() {}
  // Everything else: return true and set `result` when handled.
  virtual bool OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, INT_PTR& /*result*/) { return false; }

 private:
  INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  HINSTANCE instance_;
  const wchar_t* template_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace vaultrine::win
