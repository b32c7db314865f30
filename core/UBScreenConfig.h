#pragma once
// The screen size when the program started and the size it is laid out for. The display itself is never
// switched: the requests are built but not handed to the display.
#include <windows.h>

class TBScreenResolution {
 public:
  TBScreenResolution() = default;

  // Saved size := the primary screen's size in pixels.
  void SaveCurrent();
  void SetWanted(int Width, int Height);
  // The display-mode requests for the wanted and the saved size; neither is applied.
  DEVMODEA ApplyWanted() const { return Request(FWantedWidth, FWantedHeight); }
  DEVMODEA RestoreSaved() const { return Request(FSavedWidth, FSavedHeight); }

  int SavedWidth() const { return FSavedWidth; }
  int SavedHeight() const { return FSavedHeight; }
  int WantedWidth() const { return FWantedWidth; }
  int WantedHeight() const { return FWantedHeight; }

 private:
  static DEVMODEA Request(int Width, int Height);

  int FSavedWidth = 0, FSavedHeight = 0, FWantedWidth = 0, FWantedHeight = 0;
};
