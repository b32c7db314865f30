#pragma once
// TacMainWnd: the base of every window adapter, which gives its skinned look to a window the skin
// library does not own (a control of a dialog, a toolkit control on a skinned form, a menu window).
// It hooks the window's messages, answers the skin commands as a skinned control does, keeps the
// window's skin data and gives the window back intact whoever goes first. The shared routines of the
// adapters live here too.
//
// Hooking: a foreign window is subclassed through comctl32 (SetWindowSubclass), so that the chain stays
// whole in whatever order subclassers leave; a toolkit control or a provider's form gets its WindowProc
// replaced, given back only while it is still the adapter's. The window property "ACSBSC" names the
// adapter.
#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/sSkinSeam.h"
#include "toolkit/ui/Controls.h"

class TsCommonData;
class TsSkinManager;

// The property of an adapted window that holds its adapter.
inline constexpr const char* AdapterProp = "ACSBSC";

// Set by the dialog skinning while it adapts a dialog's child.
extern bool DialogChildAdapting;

class TacMainWnd : public TObject, public TsSkinDataOwner {
 public:
  // Makes an adapter of class T and hooks it into its window. The constructor of T takes the base's
  // arguments first (window, skin data or nullptr, manager or nullptr, section, repaint) and sets its
  // own defaults; hooking runs once the whole object exists.
  template <class T, class... A>
  static std::unique_ptr<T> Make(A&&... Args) {
    auto Adapter = std::make_unique<T>(std::forward<A>(Args)...);
    Adapter->Hook();
    return Adapter;
  }
  TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const std::string& ASection,
             bool ARepaint = true);
  // Unhooks (when still hooked) and gives the window its procedure, style, property and visual styles back.
  ~TacMainWnd() override;
  TacMainWnd(const TacMainWnd&) = delete;
  TacMainWnd& operator=(const TacMainWnd&) = delete;

  bool SkinOwnerDestroying() const override { return false; }

  // Remembers the window's own colours and fonts before skinning; gives them back.
  virtual void SaveStdParams() {}
  virtual void RestoreStdParams() {}
  // Applies the skin's colours and fonts.
  virtual void SetSkinParams() { ParamsApplied = true; }
  // The adapter's window procedure; descendants handle their messages and call this for the rest.
  virtual void acWndProc(TMessage& Message);

  // Passes a message to whatever the adapter replaced; LParam takes back what that procedure left in it.
  LRESULT CallPrevWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM& LParam);
  // Hooks the adapter into Wnd; unhooks it (steps kept in the window when a later subclasser sits on top).
  void InitCtrlData(HWND Wnd);
  void UninitCtrlData(bool Repaint);
  // The window, its parent and their rectangles, read afresh.
  void UpdateWndRects();

  bool DlgMode = false;
  std::basic_string<WCHAR> WndText;
  TRect WndRect{0, 0, 0, 0};
  TSize WndSize{0, 0};
  TPoint WndPos{0, 0};
  TRect ParentRect{0, 0, 0, 0};
  HWND ParentWnd = nullptr;
  TControlStyle OldControlStyle = 0;
  TWndMethod OldProc;
  HWND CtrlHandle = nullptr;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;
  bool ScrollBusy = false;
  bool ParamsApplied = false;
  bool Destroyed = false;
  bool OwnSkinData = false;
  // The window was subclassed through comctl32 (a foreign window).
  bool Subclassed = false;

 protected:
  // A popup-menu adapter keeps the window's visual styles.
  virtual bool IsMenuAdapter() const { return false; }
  // Prepares the skin data's cache for a child that paints over it (the scrolling adapters' routine).
  virtual void PrepareCache(bool /*DlgMode*/) {}
  // The general path: the skin commands, then the previous procedure.
  void DefaultPath(TMessage& Message);
  void PassOn(TMessage& Message) { Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam); }
  bool Repaint;

 private:
  void Hook();
  void ReadWndText();
  bool KeepsVisualStyles() const;
  TControl* ProcOwner() const;
  void GiveProcBack();
  void ToolkitProc(TMessage& Message) { acWndProc(Message); }
  static LRESULT CALLBACK SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id, DWORD_PTR Ref);
  std::unique_ptr<TsCommonData> FOwnedSkinData;
  std::string FSection;
  // GWL_WNDPROC right after subclassing: another value means a later subclasser replaced it.
  LONG_PTR FStubProc = 0;
};

// Hooks Adapter into Wnd.
void InitCtrlData(TacMainWnd& Adapter, HWND Wnd);
// Unhooks the adapter of Wnd; with FreeAdapter it is freed and Adapter emptied.
void UninitCtrlData(HWND Wnd, bool FreeAdapter, bool Repaint, std::unique_ptr<TacMainWnd>& Adapter);
// Repaints a window's frame: with Repaint through SetWindowPos, else by WM_NCPAINT.
void RefreshWndFrame(HWND Wnd, bool Repaint);
// The adapter named by a window's "ACSBSC" property, or nullptr.
TacMainWnd* AdapterOf(HWND Wnd);

// ---- Shared routines of the adapters

// A new font of the system's non-client metrics (the caller deletes it): kind 1 caption, 2 small
// caption, 3 menu, 4 status, 5 message; nullptr for any other kind or when the system call fails.
HFONT GetSystemNcFont(int Kind);
// Message to every child of Control, or, without a control, to every child window of Wnd.
void BroadcastSkinCmd(TWinControl* Control, HWND Wnd, TMessage& Message);
// The skin data's look changes with its state (focus, hot tracking).
bool SectionHasStates(TsCommonData* SkinData);
// A published colour property of a foreign object, by name; 0 when it is missing.
TColor GetColorProperty(TObject* Obj, const std::string& Name);
void SetColorProperty(TObject* Obj, const std::string& Name, TColor Value);
// Tells the top-level window above Wnd that a control finished loading.
void NotifyTopParentLoaded(HWND Wnd);
// Paints the border strips of the skin data's border piece for State into its cache, over the
// parent's background.
void PaintBorderStrips(TsCommonData* SkinData, int State, TacMainWnd* Adapter);
// Keeps an edit adapter in step with its skin data (made with the edit adapter).
class TacEditWnd;
void UpdateEditAdapter(TsCommonData* SkinData, std::unique_ptr<TacEditWnd>& Adapter);
