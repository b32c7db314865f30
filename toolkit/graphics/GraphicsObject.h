#pragma once
// Base of the graphics objects that tell a listener when they change (fonts, pens, brushes,
// canvases, pictures). A canvas or control hangs its handler on OnChange to reselect or repaint.
// Handlers may take the sender as a TObject* (a TNotifyEvent) or as a TGraphicsObject*.
#include "toolkit/rtl/Classes.h"

#include <functional>

class TGraphicsObject;
using TGraphicsNotifyEvent = std::function<void(TGraphicsObject* Sender)>;

class TGraphicsObject : public TObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;

  TGraphicsNotifyEvent OnChange;

 protected:
  virtual void Changed();
};
