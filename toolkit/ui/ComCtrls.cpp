#include "toolkit/ui/ComCtrls.h"

#include <algorithm>

#include "toolkit/rtl/Exceptions.h"

void detail::InitCommonControl(DWORD Classes) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), Classes};
  InitCommonControlsEx(&icc);
}

using detail::InitCommonControl;

// --- TProgressBar ---------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_PROGRESS_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSA);
  if (smooth_) Params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int Value) {
  min_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SetMax(int Value) {
  max_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageA(WindowHandle(), PBM_GETPOS, 0, 0));
  return position_;
}

void TProgressBar::SetPosition(int Value) {
  position_ = std::clamp(Value, min_, std::max(min_, max_));
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int Value) {
  step_ = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(Value), 0);
}

void TProgressBar::SetSmooth(bool Value) {
  if (smooth_ == Value) return;
  smooth_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TProgressBar::StepIt() { SendMessageA(Handle(), PBM_STEPIT, 0, 0); }

void TProgressBar::StepBy(int Delta) { SendMessageA(Handle(), PBM_DELTAPOS, static_cast<WPARAM>(Delta), 0); }

// --- TStatusBar -----------------------------------------------------------------------------

void TStatusPanel::SetText(const std::string& Value) {
  text_ = Value;
  if (bar_) bar_->UpdatePanels();
}

void TStatusPanel::SetWidth(int Value) {
  width_ = Value;
  if (bar_) bar_->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEA);
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY | SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

TStatusPanel* TStatusBar::AddPanel() {
  panels_.push_back(std::make_unique<TStatusPanel>());
  panels_.back()->bar_ = this;
  UpdatePanels();
  return panels_.back().get();
}

void TStatusBar::SetSimplePanel(bool Value) {
  simplePanel_ = Value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  simpleText_ = Value;
  UpdatePanels();
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  const HWND wnd = WindowHandle();
  SendMessageA(wnd, SB_SIMPLE, simplePanel_, 0);
  if (simplePanel_) {
    SendMessageA(wnd, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    return;
  }
  // Right edges; the last panel reaches the end of the bar.
  std::vector<int> edges;
  int x = 0;
  for (const auto& p : panels_) edges.push_back(x += p->width_);
  if (!edges.empty()) edges.back() = -1;
  SendMessageA(wnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < panels_.size(); ++i) {
    SendMessageA(wnd, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(panels_[i]->text_.c_str()));
  }
}

// --- TTabSheet ------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetColor(clBtnFace);
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (pageControl_ == Value) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = Value;
  if (Value) {
    SetParent(Value);
    Value->InsertPage(this);
  }
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int index = 0;
  for (TTabSheet* p : pageControl_->pages_) {
    if (p == this) return index;
    if (p->tabVisible_) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (tabVisible_ == Value) return;
  tabVisible_ = Value;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& Message) {
  TWinControl::Dispatch(Message);
  if (Message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateTabs();
}

// --- TPageControl ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
  // The sheets may outlive the control when they belong to another owner.
  while (!pages_.empty()) pages_.back()->SetPageControl(nullptr);
}

void TPageControl::CreateWnd() {
  TCustomTabControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::InsertPage(TTabSheet* Page) {
  pages_.push_back(Page);
  UpdateTabs();
  if (!activePage_) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  const bool wasActive = Page == activePage_;
  pages_.erase(std::remove(pages_.begin(), pages_.end(), Page), pages_.end());
  if (wasActive) {
    activePage_ = nullptr;
    const auto next = std::find_if(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->TabVisible(); });
    if (next != pages_.end() && !(ComponentState() & csDestroying)) SetActivePage(*next);
  }
  if (!(ComponentState() & csDestroying)) UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  const HWND wnd = WindowHandle();
  SendMessageA(wnd, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (TTabSheet* p : pages_) {
    if (!p->TabVisible()) continue;
    std::string text = p->Caption();
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageA(wnd, TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  const int tab = activePage_ ? activePage_->TabIndex() : -1;
  SendMessageA(wnd, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
  Realign();
}

int TPageControl::TabIndex() { return activePage_ ? activePage_->TabIndex() : -1; }

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->PageControl() != this) return;
  if (Page == activePage_) return;
  TTabSheet* old = activePage_;
  activePage_ = Page;
  if (Page) {
    Page->SetVisible(true);
    Page->BringToFront();
  }
  if (old) old->SetVisible(false);
  if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(TabIndex()), 0);
}

void TPageControl::SetActivePageIndex(int Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? pages_[static_cast<size_t>(Index)] : nullptr);
}

void TPageControl::Change() {
  const int tab = SelectedTab();
  for (TTabSheet* p : pages_) {
    if (p->TabIndex() == tab) SetActivePage(p);
  }
  TCustomTabControl::Change();
}

// --- TListView ------------------------------------------------------------------------------

void TListColumn::SetCaption(const std::string& Value) {
  caption_ = Value;
  if (!view_ || !view_->HandleAllocated()) return;
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = caption_.data();
  SendMessageA(view_->WindowHandle(), LVM_SETCOLUMNA, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(&col));
}

void TListColumn::SetWidth(int Value) {
  width_ = Value;
  if (view_ && view_->HandleAllocated()) {
    SendMessageA(view_->WindowHandle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index_), Value);
  }
}

TListItem::TListItem(TCustomListView* Owner) : view_(Owner), subItems_(std::make_unique<TStringList>()) {
  subItems_->OnChange = [this](TObject*) { UpdateWindow(); };
}

TListItem::~TListItem() = default;

int TListItem::Index() const { return view_->IndexOf(this); }

void TListItem::SetCaption(const std::string& Value) {
  caption_ = Value;
  UpdateWindow();
}

void TListItem::SetImageIndex(int Value) {
  imageIndex_ = Value;
  UpdateWindow();
}

void TListItem::UpdateWindow() {
  if (!view_->HandleAllocated()) return;
  const int index = Index();
  if (index < 0) return;
  const HWND wnd = view_->WindowHandle();
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = caption_.data();
  item.iImage = imageIndex_;
  SendMessageA(wnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (int i = 0; i < subItems_->Count(); ++i) {
    std::string text = subItems_->Get(i);
    LVITEMA sub{};
    sub.iSubItem = i + 1;
    sub.pszText = text.data();
    SendMessageA(wnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
  }
}

bool TListItem::Selected() const {
  if (!view_->HandleAllocated()) return false;
  return SendMessageA(view_->WindowHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool Value) {
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | (Value ? LVIS_FOCUSED : 0);
  state.state = Value ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  SendMessageA(view_->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&state));
}

void TCustomListView::GetPublishedProperties(TPropList& List) const {
  TWinControl::GetPublishedProperties(List);
  static const TPropInfo props[] = {
      ObjProperty<TCustomListView>("LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages),
      ObjProperty<TCustomListView>("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages),
  };
  for (const TPropInfo& p : props) List.push_back(&p);
}

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
}

TCustomListView::~TCustomListView() = default;

void TCustomListView::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWA);
  static constexpr DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= styles[viewStyle_] | LVS_SHAREIMAGELISTS;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (!readOnly_) Params.Style |= LVS_EDITLABELS;
  if (!multiSelect_) Params.Style |= LVS_SINGLESEL;
  if (!hideSelection_) Params.Style |= LVS_SHOWSELALWAYS;
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  const HWND wnd = WindowHandle();
  if (rowSelect_) SendMessageA(wnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  UpdateImageLists();
  for (const auto& c : columns_) InsertColumnWindow(*c);
  for (int i = 0; i < Count(); ++i) InsertItemWindow(i);
}

void TCustomListView::InsertColumnWindow(const TListColumn& Column) {
  std::string text = Column.caption_;
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = text.data();
  col.cx = Column.width_;
  col.iSubItem = Column.index_;
  SendMessageA(WindowHandle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(Column.index_), reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::InsertItemWindow(int Index) {
  TListItem* li = items_[static_cast<size_t>(Index)].get();
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = Index;
  item.pszText = li->caption_.data();
  item.iImage = li->imageIndex_;
  item.lParam = reinterpret_cast<LPARAM>(li);
  SendMessageA(WindowHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  li->UpdateWindow();
}

TListColumn* TCustomListView::AddColumn() {
  auto c = std::make_unique<TListColumn>();
  c->view_ = this;
  c->index_ = ColumnCount();
  columns_.push_back(std::move(c));
  if (HandleAllocated()) InsertColumnWindow(*columns_.back());
  return columns_.back().get();
}

TListItem* TCustomListView::AddItem() {
  items_.push_back(std::make_unique<TListItem>(this));
  if (HandleAllocated()) InsertItemWindow(Count() - 1);
  return items_.back().get();
}

void TCustomListView::DeleteItem(int Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("List index out of bounds");
  if (HandleAllocated()) SendMessageA(WindowHandle(), LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  items_.erase(items_.begin() + Index);
}

void TCustomListView::Clear() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

void TCustomListView::BeginUpdate() {
  if (updateCount_++ == 0 && HandleAllocated()) SendMessageA(WindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void TCustomListView::EndUpdate() {
  if (--updateCount_ == 0 && HandleAllocated()) {
    SendMessageA(WindowHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(WindowHandle(), nullptr, TRUE);
  }
}

int TCustomListView::IndexOf(const TListItem* Item) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == Item) return static_cast<int>(i);
  }
  return -1;
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (viewStyle_ == Value) return;
  viewStyle_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::UpdateImageLists() {
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
               reinterpret_cast<LPARAM>(largeImages_ ? largeImages_->Handle() : nullptr));
  SendMessageA(WindowHandle(), LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
}

void TCustomListView::SetLargeImages(TCustomImageList* Value) {
  largeImages_ = Value;
  if (Value) Value->FreeNotification(this);
  UpdateImageLists();
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
  smallImages_ = Value;
  if (Value) Value->FreeNotification(this);
  UpdateImageLists();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == largeImages_) largeImages_ = nullptr;
  if (AComponent == smallImages_) smallImages_ = nullptr;
  if (AComponent == largeImages_ || AComponent == smallImages_) UpdateImageLists();
}

void TCustomListView::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetRowSelect(bool Value) {
  rowSelect_ = Value;
  if (HandleAllocated()) {
    SendMessageA(WindowHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, Value ? LVS_EX_FULLROWSELECT : 0);
  }
}

void TCustomListView::SetMultiSelect(bool Value) {
  if (multiSelect_ == Value) return;
  multiSelect_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetHideSelection(bool Value) {
  if (hideSelection_ == Value) return;
  hideSelection_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomListView::ItemIndex() {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int Value) { SetSelected(Value >= 0 && Value < Count() ? Items(Value) : nullptr); }

TListItem* TCustomListView::Selected() {
  const int index = ItemIndex();
  return index >= 0 && index < Count() ? Items(index) : nullptr;
}

void TCustomListView::SetSelected(TListItem* Item) {
  if (!Item) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    return;
  }
  if (!multiSelect_) SetSelected(nullptr);
  Item->SetSelected(true);
}

TListItem* TCustomListView::FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive,
                                        bool Wrap) {
  LVFINDINFOA info{};
  info.flags = LVFI_STRING | (Partial ? LVFI_PARTIAL : 0) | (Wrap ? LVFI_WRAP : 0);
  info.psz = Value.c_str();
  const int start = Inclusive ? StartIndex - 1 : StartIndex;
  const int index =
      static_cast<int>(SendMessageA(Handle(), LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(&info)));
  return index >= 0 && index < Count() ? Items(index) : nullptr;
}

TListItem* TCustomListView::FindData(int StartIndex, void* Value, bool Inclusive, bool Wrap) {
  const int n = Count();
  for (int k = 0; k < n; ++k) {
    const int i = StartIndex + (Inclusive ? k : k + 1);
    if (i >= n && !Wrap) break;
    TListItem* item = Items(i % n);
    if (item->Data() == Value) return item;
  }
  return nullptr;
}

void TCustomListView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    const auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (hdr->code) {
      case LVN_ITEMCHANGED: {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
        if ((nm->uChanged & LVIF_STATE) && ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) && nm->iItem >= 0 &&
            nm->iItem < Count()) {
          if (OnSelectItem) OnSelectItem(this, Items(nm->iItem), (nm->uNewState & LVIS_SELECTED) != 0);
        }
        if (OnChange) OnChange(this);
        return;
      }
      case NM_DBLCLK:
        DblClick();
        return;
      case NM_CLICK:
        Click();
        return;
    }
  }
  TWinControl::Dispatch(Message);
}
