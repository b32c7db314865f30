#pragma once
// The main window announced to the skin editor when the program was started for a preview, and the
// editor's live skin-change requests to it.
#include <windows.h>

#include "toolkit/ui/Messages.h"

class TsSkinManager;

// The caption by which the editor's window is found.
inline constexpr const char* SkinEditorCaption = "Skin editor";
// The editor's message and its announcement code.
inline constexpr UINT EditorAnnounceMsg = 0xA400;
inline constexpr WPARAM EditorAnnounceCode = 3;
// How long one announcement may wait for the editor.
inline constexpr UINT EditorAnnounceTimeoutMs = 250;

// Set by every provider when the program was started with "/acpreview"; cleared once announced.
extern bool PreviewRequested;
// The window announced to the editor; nullptr until then.
extern HWND PreviewWindow;
extern bool CopyDataBusy;

// Announces Wnd (the main form's, when there is a main form) once; the editor's window becomes the
// seam's EditorWindow. An editor that does not answer in time or goes away ends the announcement.
void AnnouncePreviewWindow(HWND Wnd);
// A WM_COPYDATA that the form left unanswered, reaching the announced window: the skin request goes
// to Manager.
void HandlePreviewCopyData(HWND Wnd, TMessage& Message, TsSkinManager* Manager);
