#pragma once
// Tree views over the common control. The nodes are objects of their own, owned by the tree's
// TTreeNodes and kept whether or not the control has a window: the window mirrors them (each item's
// lParam holds its node, each node its item) and is refilled from them when it is made anew.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/Controls.h"

class TTreeNodes;
class TCustomTreeView;

class TTreeNode {
 public:
  explicit TTreeNode(TTreeNodes* Owner, TTreeNode* Parent);
  ~TTreeNode();
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& Value);
  void* Data() const { return data_; }
  void SetData(void* Value) { data_ = Value; }

  TTreeNode* Parent() const { return parent_; }
  // Depth: 0 for a root node.
  int Level() const;
  // Place among its siblings.
  int Index() const;
  // Place in the whole tree, counted in display order from the first root.
  int AbsoluteIndex() const;
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode* Item(int Index) const;
  bool HasChildren() const { return !children_.empty(); }
  TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
  TTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node in display order (first child, next sibling, or the next sibling of an ancestor).
  TTreeNode* GetNext() const;
  // True when this node is Node or lies under it.
  bool HasAsParent(const TTreeNode* Node) const;

  bool Selected() const;
  void SetSelected(bool Value);
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void MakeVisible();
  // Frees the node and its children (the tree's items go first).
  void Delete();
  void DeleteChildren();

  // The window's item, or nullptr while the control has no window.
  HTREEITEM ItemId() const { return item_; }
  TTreeNodes* Owner() const { return owner_; }
  TCustomTreeView* TreeView() const;

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;

  TTreeNodes* owner_;
  TTreeNode* parent_;
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  void* data_ = nullptr;
  bool expanded_ = false;
  HTREEITEM item_ = nullptr;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TCustomTreeView* Owner) : view_(Owner) {}
  ~TTreeNodes();
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  // Every node of the tree, and the node at an index in display order.
  int Count() const;
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
  TCustomTreeView* Owner() const { return view_; }

  // A new last sibling of Sibling (a new last root when Sibling is nullptr).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S) { return AddObject(Sibling, S, nullptr); }
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  // A new last child of Parent (a new last root when Parent is nullptr).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
  void Delete(TTreeNode* Node) { Node->Delete(); }
  void Clear();
  // Holds back the window's redrawing until the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TTreeNode* InsertNode(TTreeNode* Parent, size_t Position, const std::string& S, void* Ptr);
  // Removes the node (and its subtree) from the window and from its parent, freeing it.
  void Remove(TTreeNode* Node);
  TCustomTreeView* view_;
  std::vector<std::unique_ptr<TTreeNode>> roots_;
  int updateCount_ = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;

class TCustomTreeView : public TWinControl {
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const { return items_.get(); }
  // The selected node, or nullptr.
  TTreeNode* Selected();
  void SetSelected(TTreeNode* Node);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  // The node whose line holds the client point (X, Y), or nullptr.
  TTreeNode* GetNodeAt(int X, int Y);

  void Dispatch(TMessage& Message) override;

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change(TTreeNode* Node);
  virtual bool CanChange(TTreeNode* Node);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  // Adds Node's item (and its subtree's) to the window, after its previous sibling.
  void InsertItemWindow(TTreeNode* Node);
  void UpdateItemWindow(const TTreeNode* Node);
  // The node an item belongs to (its lParam).
  TTreeNode* NodeFromItem(HTREEITEM Item) const;
  void ApplyColors();
  // Events run only while the tree lives and its window is not being torn down.
  bool EventsAllowed() const;
  void CNNotify(TMessage& Message);

  std::unique_ptr<TTreeNodes> items_;
  // The selection kept over the window's life (the window's own while it has one).
  TTreeNode* selected_ = nullptr;
  // The window is being refilled from the nodes: no events.
  bool restoring_ = false;
  bool readOnly_ = false;
};

class TTreeView : public TCustomTreeView {
 public:
  using TCustomTreeView::TCustomTreeView;
};
