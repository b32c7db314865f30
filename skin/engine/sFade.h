#pragma once
// Fades of skinned controls between their looks: whether an event may animate, starting or skipping
// a fade, the fade timer (previous image into the current cache image, 10 ms steps) and the
// animation timer (a blend its owner shows when told).
#include <cstdint>
#include <memory>

#include "skin/engine/sCommonData.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/Timer.h"

class TsSkinManager;

enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
// A set of TacAnimatEvent, element i as bit i.
using TacAnimatEvents = std::uint8_t;

// Manager nullptr: the default manager.
bool AnimEventAllowed(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager);

class TsFadeTimer : public TTimer {
 public:
  explicit TsFadeTimer(TComponent* AOwner);
  ~TsFadeTimer() override;
  // Direction 0 stops the timer; Iteration below 0 starts again at 1.
  void SetDirection(std::uint8_t Value);
  // One tick: the end test, then a step.
  void Timer() override;

  std::uint8_t Direction = 0;
  TsCommonData* SkinData = nullptr;
  int Iterations = 0;
  int Iteration = 1;
  std::unique_ptr<TBitmap> BmpFrom;
};

class TsAnimTimer : public TTimer {
 public:
  explicit TsAnimTimer(TComponent* AOwner);
  ~TsAnimTimer() override;
  void Prepare(TsCommonData* ASkinData);
  void AnimStep();
  void Timer() override;

  bool Busy = false;
  std::unique_ptr<TBitmap> BmpFrom;
  std::unique_ptr<TBitmap> BmpOut;
  TsCommonData* SkinData = nullptr;
  int Iterations = 0;
  int Step = 0;
};

// Fade and animation timers alive now.
int LiveFadeTimers();

void ChangeStateWithFade(TsFadeTimer*& Timer, TsCommonData* SkinData, bool HalfSteps, std::uint8_t Direction,
                         bool AllowFade);
void StartFade(TsFadeTimer*& Timer, TsCommonData* SkinData, bool HalfSteps, std::uint8_t Direction);
void PrepareFade(TsFadeTimer* Timer, TsCommonData* SkinData);
// Stops and frees the timer unless it is already being freed; Timer becomes nullptr.
void StopFadeTimer(TsFadeTimer*& Timer);
void PaintFadeStep(TsFadeTimer* Timer);
