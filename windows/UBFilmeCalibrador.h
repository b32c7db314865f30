#pragma once
// The round calibrator's movie. No player for its movie files exists on this platform, so the control
// shows one still picture of the calibrator wheel, a movie plays out at once, and every call goes to
// the shell routine's log with the movie's file name.
#include <string>

#include "toolkit/ui/ExtCtrls.h"

class TFilmeCalibrador : public TImage {
 public:
  explicit TFilmeCalibrador(TComponent* AOwner);
  void LoadMovie(int Layer, const std::string& Url);
  bool Loop() const { return FLoop; }
  void SetLoop(bool Value);
  void Play();
  void Stop();
  const std::string& Movie() const { return FMovie; }

 private:
  std::string FMovie;
  bool FLoop = true;
};
