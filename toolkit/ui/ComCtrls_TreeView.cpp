#include <algorithm>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/ComCtrls.h"

// --- TTreeNode ------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent) : owner_(Owner), parent_(Parent) {}

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const { return owner_->view_; }

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
  return parent_ ? parent_->children_ : owner_->roots_;
}

void TTreeNode::SetText(const std::string& Value) {
  text_ = Value;
  TreeView()->UpdateItemWindow(this);
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

int TTreeNode::Index() const {
  const auto& list = Siblings();
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].get() == this) return static_cast<int>(i);
  }
  return -1;
}

int TTreeNode::AbsoluteIndex() const {
  int index = 0;
  for (const TTreeNode* n = owner_->GetFirstNode(); n && n != this; n = n->GetNext()) ++index;
  return index;
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Tree node index out of bounds");
  return children_[static_cast<size_t>(Index)].get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& list = Siblings();
  const size_t next = static_cast<size_t>(Index()) + 1;
  return next < list.size() ? list[next].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const int index = Index();
  return index > 0 ? Siblings()[static_cast<size_t>(index) - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!children_.empty()) return children_.front().get();
  for (const TTreeNode* n = this; n; n = n->parent_) {
    if (TTreeNode* next = n->GetNextSibling()) return next;
  }
  return nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode* Node) const {
  for (const TTreeNode* p = this; p; p = p->parent_) {
    if (p == Node) return true;
  }
  return false;
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  if (Value) {
    TreeView()->SetSelected(this);
  } else if (Selected()) {
    TreeView()->SetSelected(nullptr);
  }
}

void TTreeNode::SetExpanded(bool Value) {
  expanded_ = Value;
  if (item_) SendMessageA(TreeView()->WindowHandle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse) {
    for (const auto& c : children_) c->Expand(true);
  }
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse) {
    for (const auto& c : children_) c->Collapse(true);
  }
}

void TTreeNode::MakeVisible() {
  if (item_) SendMessageA(TreeView()->WindowHandle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::Delete() { owner_->Remove(this); }

void TTreeNode::DeleteChildren() {
  while (!children_.empty()) owner_->Remove(children_.back().get());
}

// --- TTreeNodes -----------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const {
  int count = 0;
  for (const TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
  return count;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  TTreeNode* n = GetFirstNode();
  for (int i = 0; n && i < Index; ++i) n = n->GetNext();
  if (Index < 0 || !n) throw EInvalidOperation("Tree node index out of bounds");
  return n;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
  TTreeNode* parent = Sibling ? Sibling->parent_ : nullptr;
  return InsertNode(parent, parent ? parent->children_.size() : roots_.size(), S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
  return InsertNode(Parent, Parent ? Parent->children_.size() : roots_.size(), S, Ptr);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, size_t Position, const std::string& S, void* Ptr) {
  if (Parent && Parent->owner_ != this) throw EInvalidOperation("Tree node of another tree");
  auto& list = Parent ? Parent->children_ : roots_;
  TTreeNode* node = list.insert(list.begin() + static_cast<std::ptrdiff_t>(Position),
                                std::make_unique<TTreeNode>(this, Parent))->get();
  node->text_ = S;
  node->data_ = Ptr;
  view_->InsertItemWindow(node);
  return node;
}

void TTreeNodes::Remove(TTreeNode* Node) {
  // The window lets go of the items first; their TVN_DELETEITEM unhooks each node (and the
  // window may move its selection to a node that stays).
  if (Node->item_ && view_->HandleAllocated()) {
    SendMessageA(view_->WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->item_));
  }
  if (view_->selected_ && view_->selected_->HasAsParent(Node)) view_->selected_ = nullptr;
  auto& list = Node->Siblings();
  const auto it = std::find_if(list.begin(), list.end(), [Node](const auto& p) { return p.get() == Node; });
  if (it != list.end()) list.erase(it);
}

void TTreeNodes::Clear() {
  if (view_->HandleAllocated()) SendMessageA(view_->WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  view_->selected_ = nullptr;
  roots_.clear();
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && view_->HandleAllocated()) SendMessageA(view_->WindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && view_->HandleAllocated()) {
    SendMessageA(view_->WindowHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view_->WindowHandle(), nullptr, TRUE);
  }
}

// --- TCustomTreeView ------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TTreeNodes>(this)) {
  // The control tracks the mouse itself and tells of clicks through NM_CLICK and NM_DBLCLK.
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
}

TCustomTreeView::~TCustomTreeView() {
  // The window's items point at the nodes: the window goes while they still exist.
  if (HandleAllocated()) DestroyWindowHandle();
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  detail::InitCommonControl(ICC_TREEVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TREEVIEWA);
  Params.Style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
  if (!readOnly_) Params.Style |= TVS_EDITLABELS;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  const HWND wnd = WindowHandle();
  // Notifications in the "A" layout whatever the parent answers.
  SendMessageA(wnd, TVM_SETUNICODEFORMAT, FALSE, 0);
  ApplyColors();
  if (items_->updateCount_ > 0) SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  restoring_ = true;
  for (const auto& root : items_->roots_) InsertItemWindow(root.get());
  if (selected_) SendMessageA(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_->item_));
  restoring_ = false;
}

void TCustomTreeView::DestroyWnd() {
  selected_ = Selected();
  TWinControl::DestroyWnd();
  // TVN_DELETEITEM has unhooked every node; make sure of it.
  for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext()) n->item_ = nullptr;
}

void TCustomTreeView::InsertItemWindow(TTreeNode* Node) {
  if (!HandleAllocated()) return;
  const HWND wnd = WindowHandle();
  TTreeNode* parent = Node->parent_;
  const TTreeNode* prev = Node->GetPrevSibling();
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent ? parent->item_ : TVI_ROOT;
  ins.hInsertAfter = prev ? prev->item_ : TVI_FIRST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM;
  ins.item.pszText = Node->text_.data();
  ins.item.lParam = reinterpret_cast<LPARAM>(Node);
  Node->item_ = reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  for (const auto& c : Node->children_) InsertItemWindow(c.get());
  // An expanded node keeps showing its children, the first one included.
  if (Node->expanded_ && Node->HasChildren()) SendMessageA(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->item_));
  if (parent && parent->expanded_ && parent->children_.size() == 1) {
    SendMessageA(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent->item_));
  }
}

void TCustomTreeView::UpdateItemWindow(const TTreeNode* Node) {
  if (!Node->item_ || !HandleAllocated()) return;
  std::string text = Node->text_;
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = Node->item_;
  item.pszText = text.data();
  SendMessageA(WindowHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM Item) const {
  if (!Item || !HandleAllocated()) return nullptr;
  TVITEMA item{};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = Item;
  if (!SendMessageA(WindowHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return reinterpret_cast<TTreeNode*>(item.lParam);
}

TTreeNode* TCustomTreeView::Selected() {
  if (!HandleAllocated()) return selected_;
  return NodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Node) {
  if (Node && Node->TreeView() != this) throw EInvalidOperation("Tree node of another tree");
  if (!HandleAllocated()) {
    selected_ = Node;
    return;
  }
  SendMessageA(WindowHandle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Node ? Node->item_ : nullptr));
  selected_ = Selected();
}

void TCustomTreeView::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  TVHITTESTINFO hit{};
  hit.pt = {X, Y};
  SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT) ? NodeFromItem(hit.hItem)
                                                                                            : nullptr;
}

void TCustomTreeView::ApplyColors() {
  if (!HandleAllocated()) return;
  SendMessageA(WindowHandle(), TVM_SETBKCOLOR, 0, ColorToRGB(Color()));
  SendMessageA(WindowHandle(), TVM_SETTEXTCOLOR, 0, ColorToRGB(Font()->Color()));
}

bool TCustomTreeView::EventsAllowed() const {
  return !restoring_ && !(ComponentState() & csDestroying) && !(ControlState() & csDestroyingHandle);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging && EventsAllowed()) OnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange && EventsAllowed()) OnChange(this, Node);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(Message.LParam);
  switch (nm->hdr.code) {
    case TVN_DELETEITEMA:
      if (auto* node = reinterpret_cast<TTreeNode*>(nm->itemOld.lParam)) node->item_ = nullptr;
      return;
    case TVN_SELCHANGINGA:
      Message.Result = CanChange(reinterpret_cast<TTreeNode*>(nm->itemNew.lParam)) ? FALSE : TRUE;
      return;
    case TVN_SELCHANGEDA: {
      auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
      // While the window is torn down the kept selection stays for the next window.
      if (!(ControlState() & csDestroyingHandle)) selected_ = node;
      Change(node);
      return;
    }
    case TVN_ITEMEXPANDEDA:
      if (auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam)) {
        node->expanded_ = (nm->itemNew.state & TVIS_EXPANDED) != 0;
      }
      return;
    case TVN_BEGINLABELEDITA:
      Message.Result = readOnly_;
      return;
    case TVN_ENDLABELEDITA: {
      const auto* info = reinterpret_cast<const NMTVDISPINFOA*>(Message.LParam);
      TTreeNode* node = NodeFromItem(info->item.hItem);
      if (node && info->item.pszText) node->text_ = info->item.pszText;
      Message.Result = TRUE;
      return;
    }
    case NM_CLICK:
      Click();
      return;
    case NM_DBLCLK:
      DblClick();
      return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomTreeView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      CNNotify(Message);
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      ApplyColors();
      return;
  }
  TWinControl::Dispatch(Message);
}
