#pragma once
// Base of the graphics objects that tell a listener when they change (fonts, pens, brushes,
// pictures). A canvas or control hangs its handler on OnChange to reselect or repaint.
#include <functional>

class TGraphicsObject;
using TGraphicsNotifyEvent = std::function<void(TGraphicsObject* Sender)>;

class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() = default;

  TGraphicsNotifyEvent OnChange;

 protected:
  virtual void Changed();
};
