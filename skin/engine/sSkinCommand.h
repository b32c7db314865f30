#pragma once
// The skin library's private command message: the code table, the senders and the broadcasts that
// carry a command down a window's children. The code travels in the high word of wParam; only codes
// 8, 9 and 20 read the low word.
#include <windows.h>

#include "toolkit/graphics/Colors.h"
#include "toolkit/ui/Controls.h"

constexpr UINT SM_SKINCMD = 0xA100;

constexpr int SkinCmdSkinChanged = 1;
constexpr int SkinCmdRemoveSkin = 2;
constexpr int SkinCmdRefresh = 3;
constexpr int SkinCmdGetSkinProvider = 4;
constexpr int SkinCmdBeforeChildPaint = 5;
constexpr int SkinCmdUpdateFinished = 6;
constexpr int SkinCmdIsSkinned = 7;
constexpr int SkinCmdSetUpdating = 8;
constexpr int SkinCmdSetDependsOnParent = 9;
constexpr int SkinCmdIsUpdating = 10;
constexpr int SkinCmdGetClipped = 11;
constexpr int SkinCmdMenuMarkShown = 14;
constexpr int SkinCmdCopySection = 15;
constexpr int SkinCmdStopAnimation = 16;
constexpr int SkinCmdInvalidateBg = 17;
constexpr int SkinCmdShowCurrent = 18;
constexpr int SkinCmdHasBgImage = 19;
constexpr int SkinCmdParentBgChanged = 20;
constexpr int SkinCmdGetColor = 21;
constexpr int SkinCmdSetClipped = 22;
constexpr int SkinCmdPrepareCache = 23;
constexpr int SkinCmdPaintTo = 24;
constexpr int SkinCmdControlLoaded = 25;
constexpr int SkinCmdGetSkinIndex = 26;
constexpr int SkinCmdGetTopBand = 27;
constexpr int SkinCmdAdaptChildren = 28;
constexpr int SkinCmdMouseEnter = 29;
constexpr int SkinCmdMouseLeave = 30;
constexpr int SkinCmdBeginUpdate = 31;
constexpr int SkinCmdEndUpdate = 32;
constexpr int SkinCmdFreeCache = 33;
constexpr int SkinCmdGetBgInfo = 34;
constexpr int SkinCmdBeforeDisabledPaint = 35;
constexpr int SkinCmdGetBgState = 36;
constexpr int SkinCmdGetSkinData = 37;
constexpr int SkinCmdSetPaintInfo = 38;
constexpr int SkinCmdMenuIsShown = 40;
constexpr int SkinCmdSetPaintLocked = 41;
constexpr int SkinCmdIsDroppedDown = 42;
constexpr int SkinCmdGetTabManager = 43;
constexpr int SkinCmdBeforeScroll = 51;
constexpr int SkinCmdAfterScroll = 52;
constexpr int SkinCmdGetApplication = 60;
constexpr int SkinCmdGetClientOffset = 61;

// wParam of a command with its sub-argument.
constexpr WPARAM SkinCmdWParam(int Code, WORD Low = 0) { return (WPARAM(WORD(Code)) << 16) | Low; }
// The code of an SM_SKINCMD message.
inline int SkinCmdCode(const TMessage& Msg) { return HIWORD(Msg.WParam); }

LRESULT SendSkinCmd(HWND Wnd, int Code, LPARAM LParam);
// A window-less control gets the command through Perform; a windowed one by SendMessage only while
// it is not being destroyed and has its window. 0 when nothing was sent.
LRESULT SendSkinCmdToControl(TControl* Control, int Code, LPARAM LParam);
LRESULT SendSkinCmdSimple(TControl* Control, int Code);
// True only when the window answers exactly 1.
bool QuerySkinCmd(HWND Wnd, int Code);

// Hands Msg to the control's children: skinned windows by SendMessage (they pass it on themselves),
// window-less children and children without a window through Perform, and the children of a plain
// window in its place. Children being destroyed are skipped.
void BroadcastToChildren(TWinControl* Control, TMessage& Msg);
// SendMessage of Msg to every direct child window of Wnd.
void BroadcastToChildWindows(HWND Wnd, TMessage& Msg);
// SkinCmdUpdateFinished to the showing windowed children and the other non-graphic children; nothing
// while a form animation runs.
void NotifyChildrenUpdateFinished(TWinControl* Control);
// SkinCmdUpdateFinished to every child-styled window of Wnd's child chain.
void NotifyTopWindowsUpdateFinished(HWND Wnd);

// The control's background colour as RGB: its skin's answer when skinned, else its Color; clFuchsia
// for no control.
TColor GetControlColor(TControl* Control);
// The window's answer to SkinCmdGetColor as RGB; clFuchsia for no window.
TColor GetWindowColor(HWND Wnd);
