#pragma once
// Start-up of form and window skinning: binds what the adapters look up at run time and fills the
// engine's seam with the routines built here. The program calls it right after InitSkinEngine.
#include <windows.h>

void InitFormSkinning();

// Entries looked up at start (nullptr when missing): the scroll-bar emulation reads GetScrollBarInfo;
// the flat scroll-bar entries are kept for the form's own scroll bars.
struct TFormSkinningBindings {
  using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
  using TFlatSB = BOOL(WINAPI*)(HWND);
  using TUninitFlatSB = HRESULT(WINAPI*)(HWND);
  TGetScrollBarInfo GetScrollBarInfo = nullptr;
  TFlatSB InitializeFlatSB = nullptr;
  TUninitFlatSB UninitializeFlatSB = nullptr;
};
const TFormSkinningBindings& FormSkinningBindings();
