#pragma once
// The skin switches of the command line and the skin-change request of a WM_COPYDATA message, read
// with what the process knows of the sender.
#include <windows.h>

#include <optional>

#include "skin/engine/sSkinRequestRecord.h"
#include "toolkit/ui/Messages.h"

// The switches read at start-up (tests set them).
TSkinSwitches& SkinSwitches();
// Reads the switches among the program's parameters; "/acver" shows the engine's version.
void ReadSkinSwitches();
// The request of a WM_COPYDATA message, or nothing when it is refused: besides the record's own
// checks, the program must have been started with "/acpreview" and the editor it announced itself
// to (the seam's EditorWindow) must still have its window.
std::optional<TSkinRequest> ReadSkinRequest(const TMessage& Msg);
