#pragma once
// Up-down controls over the common control, optionally tied to a buddy control whose text shows
// the position.
#include <windows.h>

#include <functional>

#include "toolkit/ui/Controls.h"

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TCustomUpDown : public TWinControl {
 public:
  explicit TCustomUpDown(TComponent* AOwner);

  // The buddy (a sibling): shows the position as text, and the control sits at its side.
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* Value);
  int Min() const { return min_; }
  void SetMin(int Value);
  int Max() const { return max_; }
  void SetMax(int Value);
  // The position (read from the buddy's text while it holds a valid number in range).
  int Position();
  void SetPosition(int Value);
  int Increment() const { return increment_; }
  void SetIncrement(int Value);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation Value);
  TUDAlignButton AlignButton() const { return alignButton_; }
  void SetAlignButton(TUDAlignButton Value);
  // Thousands separators in the buddy's text.
  bool Thousands() const { return thousands_; }
  void SetThousands(bool Value);

  void Dispatch(TMessage& Message) override;

  // A button changed the position (btNext up or right).
  TUDClickEvent OnClick;
  // A button is about to change the position; AllowChange false keeps it.
  TUDChangingEvent OnChanging;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual bool CanChange();
  virtual void Click(TUDBtnType Button);

 private:
  void UpdateRange();
  TWinControl* associate_ = nullptr;
  int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
  TUDOrientation orientation_ = udVertical;
  TUDAlignButton alignButton_ = udRight;
  bool thousands_ = true;
};

class TUpDown : public TCustomUpDown {
 public:
  using TCustomUpDown::TCustomUpDown;
};
