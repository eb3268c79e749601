#include "dialog_base.h"

namespace vaultrine::win {

namespace {
constexpr wchar_t kThisProp[] = L"VaultrineDialog";
}

DialogBase::~DialogBase() {
  if (hwnd_) {
    // The window may outlive us for a moment: make sure it no longer reaches us.
    RemovePropW(hwnd_, kThisProp);
    if (!modal_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
}

INT_PTR DialogBase::RunModal(HWND owner, DLGPROC procedure) {
  modal_ = true;
  return DialogBoxParamW(instance_, template_, owner, procedure ? procedure : Procedure,
                         reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::Create(HWND owner) {
  modal_ = false;
  return CreateDialogParamW(instance_, template_, owner, Procedure,
                            reinterpret_cast<LPARAM>(this));
}

void DialogBase::End(INT_PTR result) {
  if (modal_) {
    EndDialog(hwnd_, result);
  } else {
    DestroyWindow(hwnd_);
  }
}

bool DialogBase::OnCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) {
    End(id);
    return true;
  }
  return false;
}

INT_PTR CALLBACK DialogBase::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DialogBase* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<DialogBase*>(lp);
    self->hwnd_ = hwnd;
    SetPropW(hwnd, kThisProp, self);
  } else {
    self = static_cast<DialogBase*>(GetPropW(hwnd, kThisProp));
  }
  if (!self) return FALSE;
  try {
    const INT_PTR r = self->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      RemovePropW(hwnd, kThisProp);
      self->hwnd_ = nullptr;
    }
    return r;
  } catch (...) {
    // A failing handler must not take the host process down with it.
    return FALSE;
  }
}

INT_PTR DialogBase::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInit();
    case WM_COMMAND:
      return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)) ? TRUE : FALSE;
    case WM_TIMER:
      OnTimer(wp);
      return TRUE;
    case WM_PAINT:
      return OnPaint() ? TRUE : FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg));
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM: {
      // Answered by the procedure's own return value, not through DWLP_MSGRESULT.
      INT_PTR result = FALSE;
      return OnMessage(msg, wp, lp, result) ? result : FALSE;
    }
    default: {
      INT_PTR result = FALSE;
      if (OnMessage(msg, wp, lp, result)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      return FALSE;
    }
  }
}

}  // namespace vaultrine::win
