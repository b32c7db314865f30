// TScreen.
#include <algorithm>

#include "toolkit/ui/Forms.h"

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

TRect TScreen::WorkAreaRect() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

int TScreen::WorkAreaWidth() const {
  const TRect r = WorkAreaRect();
  return r.right - r.left;
}

int TScreen::WorkAreaHeight() const {
  const TRect r = WorkAreaRect();
  return r.bottom - r.top;
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

TFont* TScreen::MenuFont() {
  if (!menuFont_) {
    menuFont_ = std::make_unique<TFont>();
    NONCLIENTMETRICSA Metrics{};
    Metrics.cbSize = sizeof(Metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0)) {
      menuFont_->SetHandle(CreateFontIndirectA(&Metrics.lfMenuFont));
    }
  }
  return menuFont_.get();
}

void TScreen::AddForm(TCustomForm* Form) {
  if (std::find(customForms_.begin(), customForms_.end(), Form) == customForms_.end()) customForms_.push_back(Form);
  if (auto* form = dynamic_cast<TForm*>(Form)) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
  }
}

void TScreen::RemoveForm(TCustomForm* Form) {
  customForms_.erase(std::remove(customForms_.begin(), customForms_.end(), Form), customForms_.end());
  forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
  savedFocusedForms_.erase(std::remove(savedFocusedForms_.begin(), savedFocusedForms_.end(), Form),
                           savedFocusedForms_.end());
  if (focusedForm_ == Form) focusedForm_ = nullptr;
  if (activeControl_ && activeControl_->GetParentForm() == Form) activeControl_ = nullptr;
  if (activeCustomForm_ == Form) activeCustomForm_ = nullptr;
  if (activeForm_ == Form) {
    activeForm_ = nullptr;
    if (OnActiveFormChange) OnActiveFormChange(this);
  }
}

void TScreen::SetFocused(TCustomForm* Form, TWinControl* Control) {
  const bool controlChanged = activeControl_ != Control;
  activeControl_ = Control;
  activeCustomForm_ = Form;
  customForms_.erase(std::remove(customForms_.begin(), customForms_.end(), Form), customForms_.end());
  customForms_.insert(customForms_.begin(), Form);
  auto* form = dynamic_cast<TForm*>(Form);
  if (form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    forms_.insert(forms_.begin(), form);
  }
  const bool formChanged = activeForm_ != form;
  activeForm_ = form;
  if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
  if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  POINT p{};
  GetCursorPos(&p);
  if (Value != crDefault) {
    ::SetCursor(Cursors(Value));
    return;
  }
  // Back to the controls' own cursors: let the window under the mouse choose again.
  if (HWND w = WindowFromPoint(p)) {
    const LRESULT hit = SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(hit, WM_MOUSEMOVE));
  }
}

HCURSOR TScreen::Cursors(TCursor Index) {
  for (const auto& c : cursors_) {
    if (c.first == Index) return c.second;
  }
  static const struct {
    TCursor cursor;
    const char* id;
  } standard[] = {
      {crArrow, IDC_ARROW}, {crCross, IDC_CROSS}, {crIBeam, IDC_IBEAM}, {crSizeNESW, IDC_SIZENESW},
      {crSizeNS, IDC_SIZENS}, {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE}, {crUpArrow, IDC_UPARROW},
      {crHourGlass, IDC_WAIT}, {crNo, IDC_NO}, {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},
      {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL}, {crSQLWait, IDC_WAIT}, {crHSplit, IDC_SIZEWE},
      {crVSplit, IDC_SIZENS}, {crDrag, IDC_ARROW}, {crNoDrop, IDC_NO},
  };
  for (const auto& s : standard) {
    if (s.cursor == Index) return LoadCursorA(nullptr, s.id);
  }
  return Index == crNone ? nullptr : LoadCursorA(nullptr, IDC_ARROW);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  for (auto& c : cursors_) {
    if (c.first == Index) {
      c.second = Handle;
      return;
    }
  }
  cursors_.emplace_back(Index, Handle);
}
