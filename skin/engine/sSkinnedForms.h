#pragma once
// The process-wide registry of forms that carry a skin provider, and the walks the skin manager makes
// over it: announcing a skin, freezing the forms while it changes and repainting them afterwards.
#include <windows.h>

#include <vector>

#include "toolkit/ui/Forms.h"

class TsSkinManager;

// Called by a provider with its form when it is made and when it is freed.
void RegisterSkinnedForm(TCustomForm* Form);
void UnregisterSkinnedForm(TCustomForm* Form);
// The registered forms in registration order (moved by removals).
const std::vector<TCustomForm*>& SkinnedForms();

// Captures the pictures of the manager's forms before a skin change.
void LockSkinnedForms(TsSkinManager* Manager);
// Switches off the redrawing of the manager's visible forms.
void FreezeSkinnedForms(TsSkinManager* Manager);
// Switches redrawing back on and, with Repaint, repaints the forms, animated when the manager says so.
// Redrawing comes back even while the main window is minimized; the repaints then wait for the next
// unlock.
void UnlockSkinnedForms(TsSkinManager* Manager, bool Repaint);

// Msg to the application's unskinned forms and to every registered form, with their controls.
void BroadcastToForms(TMessage& Msg);
// Msg to every registered form with its controls, and to the visible system dialogs skinned by the
// dialog hook.
void BroadcastToRegisteredForms(TMessage& Msg);
