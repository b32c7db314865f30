// Skinned menus: the menus' backgrounds and the drawing of their items.
#include <algorithm>

#include "skin/engine/sAlphaGraph.h"
#include "skin/engine/sSectionPaint.h"
#include "skin/engine/sSkinGlobals.h"
#include "skin/engine/sSkinGraphics.h"
#include "skin/engine/sSkinMenus.h"
#include "skin/engine/sSkinCommand.h"
#include "skin/engine/sSkinSeam.h"
#include "skin/engine/sSkinStrUtils.h"
#include "skin/engine/sSkinText.h"
#include "toolkit/ui/Forms.h"

namespace {

int W(const TRect& R) { return R.right - R.left; }
int H(const TRect& R) { return R.bottom - R.top; }

void Copy(HDC Dst, int X, int Y, int Width, int Height, TBitmap* Src, int SrcX, int SrcY) {
  if (Width > 0 && Height > 0) BitBlt(Dst, X, Y, Width, Height, Src->Canvas()->Handle(), SrcX, SrcY, SRCCOPY);
}

// No item up to and including Item starts a new column.
bool InFirstColumn(const TMenuItem* Item) {
  const TMenuItem* Parent = Item->Parent();
  for (int i = 0; i <= Parent->IndexOf(Item); ++i)
    if (Parent->Items(i)->Break() != mbNone) return false;
  return true;
}

const TMenuItem* VisibleNeighbour(const TMenuItem* Item, int Step) {
  const TMenuItem* Parent = Item->Parent();
  for (int i = Parent->IndexOf(Item) + Step; i >= 0 && i < Parent->Count(); i += Step)
    if (Parent->Items(i)->Visible()) return Parent->Items(i);
  return nullptr;
}

UINT AlignmentFlag(TAlignment A) {
  static constexpr UINT Flags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return Flags[A];
}

// The glyph of a system-menu command in the symbol font.
const char* SystemGlyph(std::intptr_t Command) {
  switch (Command) {
    case SC_MINIMIZE: return "0";
    case SC_MAXIMIZE: return "1";
    case SC_CLOSE: return "r";
    case SC_RESTORE: return "2";
  }
  return nullptr;
}

bool IsSystemMenu(const TMenu* Menu) { return Menu && Menu->Name().rfind("acSysMenu", 0) == 0; }

// The provider of the window that owns Menu, else of the MDI main form.
TsProviderLink* ProviderFor(const TMenu* Menu) {
  if (Menu && Menu->WindowHandle())
    if (auto* P = reinterpret_cast<TsProviderLink*>(
            SendMessageA(Menu->WindowHandle(), SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0)))
      return P;
  TForm* Main = Application ? Application->MainForm() : nullptr;
  if (Main && Main->FormStyle() == fsMDIForm && Main->HandleAllocated())
    return reinterpret_cast<TsProviderLink*>(
        SendMessageA(Main->Handle(), SM_SKINCMD, SkinCmdWParam(SkinCmdGetSkinProvider), 0));
  return nullptr;
}

}  // namespace

// --- Extra line and background ---------------------------------------------------------------

TsMenuExtraLine TsSkinableMenus::ExtraLineOf(TMenuItem* FirstItem) {
  TsMenuExtraLine Line;
  if (!FirstItem || FirstItem->Caption() == "SkinSelectItem") {
    Line.Visible = false;
    return Line;
  }
  if (FManager->OnGetMenuExtraLineData && !FInExtraLine) {
    FInExtraLine = true;
    TBitmap* Glyph = nullptr;
    try {
      FManager->OnGetMenuExtraLineData(FirstItem, Line.Section, Line.Caption, Glyph, Line.Visible);
    } catch (...) {
      FInExtraLine = false;
      delete Glyph;
      throw;
    }
    FInExtraLine = false;
    Line.Glyph.reset(Glyph);
  }
  Line.Caption = DeleteChars(Line.Caption, '&');
  if (!Line.Visible) Line.Glyph.reset();
  return Line;
}

void TsSkinableMenus::BuildBackground(TacMenuInfo& Info, int Width, int Height) {
  TsMenuExtraLine Line = ExtraLineOf(Info.FirstItem);
  const TacMenuSupport& Support = *FManager->MenuSupport();
  Info.HaveExtraLine = Support.UseExtraLine() && Line.Visible;
  Info.Bmp = NewBitmap32(Width, Height);
  Info.IcoLineWidth = FMargin + GlyphSizeOf(Info.FirstItem).Width + FSpacing;
  const int SBW = SkinBorderWidth();
  const int Main = FManager->GetSkinIndex("MAINMENU");
  if (FManager->IsValidSkinIndex(Main)) {
    TSectionPaint P;
    P.SkinIndex = Main;
    P.SectionName = "MAINMENU";
    P.R = Rect(0, 0, Width, Height);
    P.Bmp = Info.Bmp.get();
    P.Manager = FManager;
    P.CacheInfo.FillColor = clFuchsia;
    P.FillColor = clFuchsia;
    PaintSkinSection(P);
  }
  const TMenu* Menu = Info.FirstItem->GetParentMenu();
  const HWND Owner = Menu ? Menu->WindowHandle() : nullptr;
  const int Ico = FManager->GetSkinIndex(Support.IcoLineSkin());
  if (!(Owner && (GetWindowLongA(Owner, GWL_EXSTYLE) & WS_EX_RIGHT)) && !Support.IcoLineSkin().empty() &&
      FManager->IsValidSkinIndex(Ico) && Height - 2 * SBW > 0) {
    const auto Column = NewBitmap32(Info.IcoLineWidth, Height - 2 * SBW);
    TSectionPaint P;
    P.SkinIndex = Ico;
    P.SectionName = Support.IcoLineSkin();
    P.R = Rect(0, 0, Column->Width(), Column->Height());
    P.Bmp = Column.get();
    P.Manager = FManager;
    PaintSection(P);
    Copy(Info.Bmp->Canvas()->Handle(), ExtraWidth(Info) + SBW, SBW, Column->Width(), Column->Height(), Column.get(), 0,
         0);
  }
  const int Border = FManager->GetMaskIndex(Main, "MAINMENU", "BORDERSMASK");
  const TsPieceView Piece =
      FManager->IsValidMaskIndex(Border) ? PieceView(FManager->Tables().Masks[Border]) : TsPieceView{};
  if (Piece.Mask) {
    TPaintMaskRect P;
    P.Bmp = BitmapView(Info.Bmp.get());
    P.R = {0, 0, Width, Height};
    P.CacheInfo = CacheView(EmptyCacheInfo);
    P.Piece = Piece;
    PaintMaskRect(P);
  }
  if (Info.HaveExtraLine) PaintExtraLine(Info, Line, Height);
  Info.Rgn = MenuRegionRects(Width, Height, Piece);
}

void TsSkinableMenus::PaintExtraLine(TacMenuInfo& Info, TsMenuExtraLine& Line, int Height) {
  const int Section = FManager->GetSkinIndex(Line.Section);
  const int SBW = SkinBorderWidth();
  const int Width = FManager->MenuSupport()->ExtraLineWidth();
  if (!FManager->IsValidSkinIndex(Section) || Width <= 0 || Height - 2 * SBW <= 0) return;
  const auto Band = NewBitmap32(Width, Height - 2 * SBW);
  TSectionPaint P;
  P.SkinIndex = Section;
  P.SectionName = Line.Section;
  P.R = Rect(0, 0, Band->Width(), Band->Height());
  P.Bmp = Band.get();
  P.Manager = FManager;
  PaintSection(P);
  int Bottom = 12;
  TCanvas* C = Band->Canvas();
  if (Line.Glyph && !Line.Glyph->Empty()) {
    const int X = (Width - Line.Glyph->Width()) / 2, Y = Band->Height() - 12 - Line.Glyph->Height();
    Copy(C->Handle(), X, Y, Line.Glyph->Width(), Line.Glyph->Height(), Line.Glyph.get(), 0, 0);
    Bottom = Line.Glyph->Height() + 20;
  }
  // The caption reads upward.
  const TFont& F = *FManager->MenuSupport()->ExtraLineFont();
  LOGFONTA LF{};
  GetObjectA(F.Handle(), sizeof(LF), &LF);
  LF.lfWeight = FW_NORMAL;
  LF.lfEscapement = LF.lfOrientation = -2700;
  detail::GdiObject<HFONT> Font(CreateFontIndirectA(&LF));
  const HDC DC = C->Handle();
  const int Saved = SaveDC(DC);
  SelectObject(DC, Font.get());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(F.Color())));
  SIZE Size{};
  GetTextExtentPoint32A(DC, Line.Caption.c_str(), int(Line.Caption.size()), &Size);
  // Escapement -2700 turns the text to run upward from its origin, its top toward the left.
  const int X = (Width - Size.cy) / 2, Y = Band->Height() - Bottom;
  TextOutA(DC, X, Y, Line.Caption.c_str(), int(Line.Caption.size()));
  RestoreDC(DC, Saved);
  Copy(Info.Bmp->Canvas()->Handle(), SBW, SBW, Band->Width(), Band->Height(), Band.get(), 0, 0);
  Line.Glyph.reset();
}

// --- Popup items -----------------------------------------------------------------------------

void TsSkinableMenus::DrawPopupItem(TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State) {
  if (!FManager->SkinData().Active || !Item->Parent()) return;
  Canvas->Lock();
  struct TUnlock {
    TCanvas* C;
    ~TUnlock() { C->Unlock(); }
  } Unlock{Canvas};
  const HWND Wnd = IsNTPlatform && WindowFinder ? WindowFinder(Canvas->Handle()) : nullptr;
  if (!Wnd && Application) {
    MSG Queued;
    if (!PeekMessageA(&Queued, Application->Handle(), SM_MENUITEMSHOWN, SM_MENUWINDOWSHOWN, PM_NOREMOVE))
      PostMessageA(Application->Handle(), SM_MENUITEMSHOWN, 0, reinterpret_cast<LPARAM>(Item));
  }
  TMenuSize Size;
  TPoint ClientOffset{0, 0};
  if (Wnd) {
    RECT WR{};
    GetWindowRect(Wnd, &WR);
    POINT Origin{0, 0};
    ClientToScreen(Wnd, &Origin);
    Size = {WR.right - WR.left, WR.bottom - WR.top};
    ClientOffset = {Origin.x - WR.left, Origin.y - WR.top};
  } else {
    Size = MenuSize(Item, Canvas);
  }
  TacMenuInfo* Info = FindMenuInfo(Item, Size.Width, Wnd, Size.Height);
  if (!Info || !Info->Bmp) return;
  MenuPainting = true;
  if (Wnd) DrawFrame(*Info, Item, R, ClientOffset);
  switch (MenuItemKind(Item->Caption())) {
    case TsMenuItemKind::Separator:
      DrawSeparator(*Info, Canvas, R, ClientOffset);
      break;
    case TsMenuItemKind::Caption:
      DrawCaptionItem(*Info, Item, Canvas, R, State, ClientOffset);
      break;
    case TsMenuItemKind::Ordinary:
      DrawOrdinaryItem(*Info, Item, Canvas, R, State, ClientOffset);
      break;
  }
  if (Item->OnDrawItem) Item->OnDrawItem(Item, Canvas, R, (State & odSelected) != 0);
}

void TsSkinableMenus::DrawFrame(TacMenuInfo& Info, TMenuItem* Item, const TRect& R, TPoint ClientOffset) {
  const HDC DC = GetWindowDC(Info.Wnd);
  TBitmap* Bg = Info.Bmp.get();
  const int Width = Bg->Width(), Height = Bg->Height(), BW = FBorderWidth;
  if (!VisibleNeighbour(Item, -1)) {
    Copy(DC, 0, 0, Width, BW, Bg, 0, 0);
    const int Left = ExtraWidth(Info) + std::max(SkinBorderWidth(), BW);
    Copy(DC, 0, 0, Left, Height, Bg, 0, 0);
  }
  if (!VisibleNeighbour(Item, 1)) Copy(DC, 0, Height - BW, Width, BW, Bg, 0, Height - BW);
  Copy(DC, Width - BW, R.top + ClientOffset.y, BW, H(R), Bg, Width - BW, R.top + ClientOffset.y);
  ReleaseDC(Info.Wnd, DC);
}

void TsSkinableMenus::DrawSeparator(TacMenuInfo& Info, TCanvas* Canvas, const TRect& R, TPoint Off) {
  const int Extra = ExtraWidth(Info);
  // Separators start past the icon column of their own menu.
  const int X1 = R.left + Extra + Info.IcoLineWidth + 2;
  const int X2 = R.right - (Extra + 2 * FMargin + FSpacing);
  const auto Bmp = NewBitmap32(W(R), H(R));
  if (Bmp->Empty()) return;
  Copy(Bmp->Canvas()->Handle(), 0, 0, W(R), H(R), Info.Bmp.get(), R.left + Off.x, R.top + Off.y);
  const int Divider = FManager->GetSkinIndex("DIVIDERV");
  const int Mask = FManager->GetMaskIndex(Divider, "DIVIDERV", "BORDERSMASK");
  if (FManager->IsValidMaskIndex(Mask)) {
    TPaintMaskRect P;
    P.Bmp = BitmapView(Bmp.get());
    P.R = {X1 - R.left, 0, X2 - R.left, H(R)};
    P.CacheInfo = CacheView(NewCacheInfo(Info.Bmp.get(), R.left + Off.x, R.top + Off.y));
    P.Piece = PieceView(FManager->Tables().Masks[Mask]);
    PaintMaskRect(P);
  } else {
    TColor Line = FManager->SkinData().BorderColor;
    if (Line == clFuchsia) Line = clBtnShadow;
    FillRect32(Bmp.get(), Rect(X1 - R.left, 0, X2 - R.left, 1), ColorToRGB(Line));
  }
  Copy(Canvas->Handle(), R.left, R.top, W(R), H(R), Bmp.get(), 0, 0);
  if (OnDrawItem) OnDrawItem(this, Canvas, R, 0, smDivider);
}

void TsSkinableMenus::DrawCaptionItem(TacMenuInfo& Info, TMenuItem* Item, TCanvas* Canvas, const TRect& R,
                                      TOwnerDrawState State, TPoint Off) {
  const auto Bmp = NewBitmap32(W(R), H(R));
  if (Bmp->Empty()) return;
  Copy(Bmp->Canvas()->Handle(), 0, 0, W(R), H(R), Info.Bmp.get(), R.left + Off.x, R.top + Off.y);
  std::string Name = "MENUCAPTION";
  int Section = FManager->GetSkinIndex(Name);
  if (!FManager->IsValidSkinIndex(Section)) Section = FManager->GetSkinIndex(Name = "TOOLBAR");
  const int Extra = InFirstColumn(Item) ? ExtraWidth(Info) : 0;
  const TRect Inner = Rect(Extra + 1, 1, W(R) - 1, H(R) - 1);
  if (FManager->IsValidSkinIndex(Section)) {
    TSectionPaint P;
    P.SkinIndex = Section;
    P.SectionName = Name;
    P.CacheInfo = NewCacheInfo(Info.Bmp.get(), R.left + Off.x, R.top + Off.y);
    P.R = Inner;
    P.Offset = {Inner.left, Inner.top};
    P.Manager = FManager;
    PaintSectionToDC(P, Bmp->Canvas()->Handle());
    const std::string& C = Item->Caption();
    Bmp->Canvas()->Font()->Assign(*FCaptionFont);
    WriteTextBySection(Bmp->Canvas(), C.substr(1, C.size() - 2), true, FManager, 0, Section,
                       DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Inner);
  }
  if (OnDrawItem) OnDrawItem(this, Bmp->Canvas(), Rect(0, 0, W(R), H(R)), State, smCaption);
  Copy(Canvas->Handle(), R.left, R.top, W(R), H(R), Bmp.get(), 0, 0);
}

void TsSkinableMenus::DrawOrdinaryItem(TacMenuInfo& Info, TMenuItem* Item, TCanvas* Canvas, const TRect& R,
                                       TOwnerDrawState State, TPoint Off) {
  TBitmap* Bg = Info.Bmp.get();
  const HDC DC = Canvas->Handle();
  const bool First = InFirstColumn(Item);
  const int Extra = First ? ExtraWidth(Info) : 0;
  // What the items leave uncovered: below the last item of a column, and the gap before a column.
  const TMenuItem* Next = VisibleNeighbour(Item, 1);
  if (!Next || Next->Break() != mbNone) {
    const int Bottom = Bg->Height() - 6 - Off.y;
    Copy(DC, R.left, R.bottom, W(R), Bottom - R.bottom, Bg, R.left + Off.x, R.bottom + Off.y);
  }
  if (Item->Break() != mbNone) Copy(DC, R.left - 4, R.top, 4, H(R), Bg, R.left - 4 + Off.x, R.top + Off.y);

  const int IW = std::max(0, W(R) - Extra), IH = H(R);
  const auto Bmp = NewBitmap32(IW, IH);
  if (Bmp->Empty()) return;
  const TPoint Place{R.left + Extra + Off.x, R.top + Off.y};
  const bool Enabled = Item->Enabled();
  const bool Hot = Enabled && (State & (odSelected | odHotLight));
  Copy(Bmp->Canvas()->Handle(), 0, 0, IW, IH, Bg, Place.x, Place.y);
  const int Section = FManager->GetSkinIndex("MENUITEM");
  if (FManager->IsValidSkinIndex(Section)) {
    TSectionPaint P;
    P.SkinIndex = Section;
    P.SectionName = "MENUITEM";
    P.CacheInfo = NewCacheInfo(Bg, 0, 0);
    P.State = Enabled && (State & odSelected) ? 1 : 0;
    P.R = Rect(0, 0, IW, IH);
    P.Offset = Place;
    P.Bmp = Bmp.get();
    P.Manager = FManager;
    PaintSection(P);
  }
  TCanvas* C = Bmp->Canvas();
  const TMenu* Menu = Item->GetParentMenu();
  const TCustomImageList* Images =
      Item->Parent()->SubMenuImages() ? Item->Parent()->SubMenuImages() : Menu ? Menu->Images() : nullptr;
  const TBitmap* Own = std::as_const(*Item).Bitmap();
  const bool HasOwn = Own && !Own->Empty();
  const bool HasImage = Images && Item->ImageIndex() >= 0 && Item->ImageIndex() < Images->Count();
  const TMenuSize Glyph = GlyphSizeOf(Item);
  // Check glyph.
  if (Item->Checked() && !HasOwn && !HasImage) {
    int Mask = FManager->FindMaskIndex("GLOBALINFO", Item->RadioItem() ? "RADIOCHECKED" : "CHECK");
    if (Mask < 0) Mask = FManager->FindMaskIndex("GLOBALINFO", "BOXCHECKED");
    if (FManager->IsValidMaskIndex(Mask)) {
      const TsMaskData& M = FManager->Tables().Masks[Mask];
      TPaintMaskState P;
      P.Bmp = BitmapView(Bmp.get());
      P.Pt = {FMargin, (IH - MaskImageHeight(M)) / 2};
      P.State = Hot ? std::min<int>(1, M.ImageCount - 1) : 0;
      P.CacheInfo = CacheView(EmptyCacheInfo);
      P.Piece = PieceView(M);
      PaintMaskState(P);
    }
  }
  // Glyph.
  const int GlyphTop = (IH - Glyph.Height) / 2;
  if (HasOwn) {
    TBitmap* Mine = Item->Bitmap();
    if (Mine->PixelFormat() == pf32bit) {
      TPieceDraw D;
      D.Dst = BitmapView(Bmp.get());
      D.DstRect = {FMargin, GlyphTop, FMargin + Mine->Width(), GlyphTop + Mine->Height()};
      D.Src = BitmapView(Mine);
      D.SrcRect = {0, 0, Mine->Width(), Mine->Height()};
      DrawAlphaGlyph(D);
    } else {
      Copy(C->Handle(), FMargin, GlyphTop, Mine->Width(), Mine->Height(), Mine, 0, 0);
    }
  } else if (HasImage) {
    const_cast<TCustomImageList*>(Images)->Draw(C, FMargin, GlyphTop, Item->ImageIndex(), true);
  } else if (IsSystemMenu(Menu)) {
    if (const char* Symbol = SystemGlyph(Item->Tag())) {
      // The prefix's substitute for the symbol font does not carry its glyphs: ask for Marlett itself.
      C->Font()->SetName("Marlett");
      C->Font()->SetSize(10);
      C->Font()->SetStyle(0);
      WriteTextBySection(C, Symbol, Enabled, FManager, Hot ? 1 : 0, Section, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
                         Rect(4, 0, 4 + Glyph.Width, IH));
    }
  }
  // Caption and shortcut.
  UseMenuFont(C, Item, (State & odDefault) != 0 || Item->Default());
  std::string Caption = Item->Caption();
  UINT Align = AlignmentFlag(FAlignment);
  if (MenuCaptionRightAligned(Caption)) {
    Caption.erase(0, 1);
    Align = DT_RIGHT;
  }
  UINT Flags = Align | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
  if (State & odNoAccel) Flags |= DT_HIDEPREFIX;
  const TRect Text = Rect(Glyph.Width + 2 * FMargin + FSpacing, 0, IW, IH);
  WriteTextBySection(C, Caption, Enabled, FManager, Hot ? 1 : 0, Section, Flags, Text);
  if (Item->ShortCut()) {
    WriteTextBySection(C, ShortCutToText(Item->ShortCut()), Enabled, FManager, Hot ? 1 : 0, Section,
                       DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP, Rect(0, 0, IW - 8, IH));
  }
  if (OnDrawItem) OnDrawItem(this, C, Rect(0, 0, IW, IH), State, smNormal);
  if (!Enabled) BlendBitmaps(Bmp.get(), 0, 0, Bg, Rect(Place.x, Place.y, Place.x + IW, Place.y + IH), 0.4, clFuchsia);
  Copy(DC, R.left + Extra, R.top, IW, IH, Bmp.get(), 0, 0);
  if (Info.HaveExtraLine && !VisibleNeighbour(Item, -1)) {
    const int SBW = SkinBorderWidth();
    Copy(DC, SBW - Off.x, SBW - Off.y, ExtraWidth(Info), Bg->Height() - 2 * SBW, Bg, SBW, SBW);
  }
}

// --- Menu-bar items --------------------------------------------------------------------------

void TsSkinableMenus::DrawBarItem(TMenuItem* Item, TCanvas* Canvas, const TRect& R, TOwnerDrawState State) {
  const TMenu* Menu = Item->GetParentMenu();
  TsProviderLink* Provider = ProviderFor(Menu);
  TBitmap* Cache = Provider ? Provider->CacheBitmap() : nullptr;
  if (!Cache || W(R) <= 0 || H(R) <= 0) return;
  const auto Bmp = NewBitmap32(W(R), H(R));
  const TPoint Line = Provider->MenuLineOffset();
  const TPoint Place{Line.x + R.left, Line.y + R.top};
  Copy(Bmp->Canvas()->Handle(), 0, 0, W(R), H(R), Cache, Place.x, Place.y);
  const bool Enabled = Item->Enabled();
  const int Section = FManager->GetSkinIndex("MENUITEM");
  const int State1 = Enabled && (State & (odSelected | odHotLight)) ? 1 : 0;
  if (FManager->IsValidSkinIndex(Section)) {
    TSectionPaint P;
    P.SkinIndex = Section;
    P.SectionName = "MENUITEM";
    P.CacheInfo = NewCacheInfo(Cache, 0, 0);
    P.State = State1;
    P.R = Rect(0, 0, W(R), H(R));
    P.Offset = Place;
    P.Bmp = Bmp.get();
    P.Manager = FManager;
    PaintSection(P);
  }
  TCanvas* C = Bmp->Canvas();
  int GlyphWidth = 0;
  const TBitmap* Own = std::as_const(*Item).Bitmap();
  if (Own && !Own->Empty()) {
    TBitmap* Mine = Item->Bitmap();
    GlyphWidth = Mine->Width();
    Copy(C->Handle(), 3, (H(R) - Mine->Height()) / 2, Mine->Width(), Mine->Height(), Mine, 0, 0);
  } else if (Menu && Menu->Images() && Item->ImageIndex() >= 0) {
    GlyphWidth = Menu->Images()->Width();
    Menu->Images()->Draw(C, 3, (H(R) - Menu->Images()->Height()) / 2, Item->ImageIndex(), Enabled);
  }
  UseMenuFont(C, Item, false);
  UINT Flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | AlignmentFlag(FAlignment);
  if (State & odNoAccel) Flags |= DT_HIDEPREFIX;
  const TRect Text = Rect(FMargin + GlyphWidth, 0, W(R) - FMargin, H(R));
  WriteTextBySection(C, Item->Caption(), Enabled, FManager, State1, FManager->GetSkinIndex("MENULINE"), Flags, Text);
  if (OnDrawItem) OnDrawItem(this, C, Rect(0, 0, W(R), H(R)), State, smTopLine);
  if (!Enabled)
    if (TBitmap* LineBg = Provider->MenuLineBackground())
      SumBitmapsRect(Bmp.get(), LineBg, 102, TPoint{0, 0}, Rect(R.left, R.top, R.right, R.bottom));
  Copy(Canvas->Handle(), R.left, R.top, W(R), H(R), Bmp.get(), 0, 0);
}
