#include "core/UBScreenConfig.h"

void TBScreenResolution::SaveCurrent() {
  FSavedWidth = GetSystemMetrics(SM_CXSCREEN);
  FSavedHeight = GetSystemMetrics(SM_CYSCREEN);
}

void TBScreenResolution::SetWanted(int Width, int Height) {
  FWantedWidth = Width;
  FWantedHeight = Height;
}

DEVMODEA TBScreenResolution::Request(int Width, int Height) {
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = Width;
  mode.dmPelsHeight = Height;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return mode;
}
