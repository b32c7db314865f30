#pragma once
// Places a control of a window built in code: owner, parent, name, bounds and caption in one call.
#include <string>

#include "toolkit/ui/Controls.h"

template <class T>
T* CriarControle(TComponent* Owner, TWinControl* Parent, const std::string& Name, int Left, int Top, int Width,
                 int Height, const std::string& Caption = "") {
  T* c = new T(Owner);
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Height);
  if (!Caption.empty()) c->SetCaption(Caption);
  return c;
}
