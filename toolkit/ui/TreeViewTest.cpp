// Tree views: nodes mirrored into the common control, selection through its notifications, nodes
// that outlive the window when it is made anew, and deletions that leave no node behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class TreeViewTest : public uitest::ControlsTest {
 protected:
  // Roots "1".."3", each with standard texts as children carrying a code, built as a picker fills
  // itself: inside an update.
  TTreeView* MakePicker() {
    auto* tv = Make<TTreeView>(10, 10, 300, 250);
    tv->SetReadOnly(true);
    tv->Items()->BeginUpdate();
    for (int i = 1; i <= 3; ++i) {
      TTreeNode* root = tv->Items()->Add(nullptr, std::to_string(i));
      for (int k = 0; k < i; ++k) {
        tv->Items()->AddChildObject(root, "Texto " + std::to_string(i) + "." + std::to_string(k), &codes[i * 3 + k]);
      }
    }
    tv->Items()->EndUpdate();
    return tv;
  }
  static std::string ItemText(HWND Tree, HTREEITEM Item) {
    char text[64] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = Item;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(Tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  static RECT ItemRect(HWND Tree, HTREEITEM Item) {
    RECT r{};
    *reinterpret_cast<HTREEITEM*>(&r) = Item;
    SendMessageA(Tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // A click as the mouse gives it: the control waits for the button's release while it tells a
  // click from a drag, so the release is queued first.
  static void ClickItem(TTreeNode* Node) {
    const HWND w = Node->TreeView()->Handle();
    const RECT r = ItemRect(w, Node->ItemId());
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
  }
  // Root node Index (0-based).
  static TTreeNode* Root(TTreeView* Tree, int Index) {
    TTreeNode* n = Tree->Items()->GetFirstNode();
    while (Index-- > 0) n = n->GetNextSibling();
    return n;
  }
  int codes[12] = {};
};

TEST_F(TreeViewTest, NodesAreMirroredIntoTheControl) {
  TTreeView* tv = MakePicker();
  EXPECT_EQ(tv->ClassName(), "TTreeView");
  char name[32] = {};
  GetClassNameA(tv->Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TTreeView");
  TTreeNodes* items = tv->Items();
  EXPECT_EQ(items->Count(), 3 + 1 + 2 + 3);
  EXPECT_EQ(SendMessageA(tv->Handle(), TVM_GETCOUNT, 0, 0), 9);

  TTreeNode* third = items->GetFirstNode()->GetNextSibling()->GetNextSibling();
  EXPECT_EQ(third->Text(), "3");
  EXPECT_EQ(third->Level(), 0);
  EXPECT_EQ(third->Index(), 2);
  EXPECT_EQ(third->Parent(), nullptr);
  ASSERT_EQ(third->Count(), 3);
  TTreeNode* child = third->Item(1);
  EXPECT_EQ(child->Text(), "Texto 3.1");
  EXPECT_EQ(child->Level(), 1);
  EXPECT_EQ(child->Index(), 1);
  EXPECT_EQ(child->Parent(), third);
  EXPECT_EQ(child->Data(), &codes[10]);
  EXPECT_EQ(child->AbsoluteIndex(), 7);
  EXPECT_EQ(items->Item(7), child);
  EXPECT_THROW(third->Item(3), Exception);
  EXPECT_THROW(items->Item(9), Exception);

  // The control holds the same tree, in the same order, each item pointing at its node.
  const HWND w = tv->Handle();
  auto root = reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  root = reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
  root = reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
  EXPECT_EQ(root, third->ItemId());
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  item = reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  EXPECT_EQ(ItemText(w, item), "Texto 3.1");
  TVITEMA param{};
  param.mask = TVIF_PARAM | TVIF_HANDLE;
  param.hItem = item;
  SendMessageA(w, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&param));
  EXPECT_EQ(reinterpret_cast<TTreeNode*>(param.lParam), child);

  tv->SetColor(static_cast<TColor>(RGB(255, 255, 230)));
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(w, TVM_GETBKCOLOR, 0, 0)), RGB(255, 255, 230));
  child->SetText("Sem uso de lentes");
  EXPECT_EQ(ItemText(w, child->ItemId()), "Sem uso de lentes");
  third->Expand(false);
  EXPECT_TRUE(SendMessageA(w, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(third->ItemId()), TVIS_EXPANDED) &
              TVIS_EXPANDED);
  EXPECT_TRUE(third->Expanded());
}

TEST_F(TreeViewTest, ClicksAndKeysChangeTheSelection) {
  TTreeView* tv = MakePicker();
  TTreeNode* second = Root(tv, 1);
  second->Expand(false);
  std::vector<TTreeNode*> changes;
  tv->OnChange = [&](TObject* Sender, TTreeNode* Node) {
    EXPECT_EQ(Sender, tv);
    changes.push_back(Node);
  };
  bool allow = true;
  tv->OnChanging = [&](TObject*, TTreeNode*, bool& AllowChange) { AllowChange = allow; };

  ClickItem(second->Item(0));
  EXPECT_EQ(tv->Selected(), second->Item(0));
  EXPECT_TRUE(second->Item(0)->Selected());
  // Down arrow: the next node in display order.
  SendMessageA(tv->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(tv->Selected(), second->Item(1));
  EXPECT_EQ(changes, (std::vector<TTreeNode*>{second->Item(0), second->Item(1)}));

  allow = false;
  ClickItem(second);
  EXPECT_EQ(tv->Selected(), second->Item(1));
  EXPECT_EQ(changes.size(), 2u);

  // A double click on a standard text: its gap is the place of its root.
  allow = true;
  int doubles = 0;
  tv->OnDblClick = [&](TObject*) {
    ++doubles;
    TTreeNode* node = tv->Selected();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Level(), 1);
    EXPECT_EQ(node->Parent()->Index() + 1, 2);
  };
  TTreeNode* text = second->Item(0);
  ClickItem(text);
  const RECT r = ItemRect(tv->Handle(), text->ItemId());
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(tv->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(tv->Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(tv->GetNodeAt((r.left + r.right) / 2, (r.top + r.bottom) / 2), text);
  EXPECT_EQ(tv->GetNodeAt(5, 240), nullptr);

  tv->SetSelected(nullptr);
  EXPECT_EQ(tv->Selected(), nullptr);
  EXPECT_EQ(changes.back(), nullptr);
}

TEST_F(TreeViewTest, DeletingNodesLeavesNoneBehind) {
  TTreeView* tv = MakePicker();
  TTreeNodes* items = tv->Items();
  TTreeNode* third = Root(tv, 2);
  third->Expand(false);
  std::vector<TTreeNode*> changes;
  tv->OnChange = [&](TObject*, TTreeNode* Node) { changes.push_back(Node); };
  third->Item(2)->SetSelected(true);
  ASSERT_EQ(tv->Selected(), third->Item(2));

  // A node that is not selected.
  items->Item(1)->Delete();
  EXPECT_EQ(items->Count(), 8);
  EXPECT_EQ(SendMessageA(tv->Handle(), TVM_GETCOUNT, 0, 0), 8);
  EXPECT_EQ(items->Item(1)->Text(), "2");
  EXPECT_FALSE(items->GetFirstNode()->HasChildren());

  // The parent of the selected node: the control moves its selection to a node that stays, and
  // every change event names a live node.
  TTreeNode* survivor = items->Item(0);
  changes.clear();
  third->Delete();
  EXPECT_EQ(items->Count(), 4);
  EXPECT_EQ(SendMessageA(tv->Handle(), TVM_GETCOUNT, 0, 0), 4);
  std::vector<TTreeNode*> live;
  for (TTreeNode* n = items->GetFirstNode(); n; n = n->GetNext()) live.push_back(n);
  live.push_back(nullptr);
  EXPECT_NE(std::find(live.begin(), live.end(), tv->Selected()), live.end());
  for (TTreeNode* n : changes) EXPECT_NE(std::find(live.begin(), live.end(), n), live.end());
  EXPECT_EQ(survivor->Text(), "1");

  // Children only.
  TTreeNode* second = Root(tv, 1);
  second->DeleteChildren();
  EXPECT_FALSE(second->HasChildren());
  EXPECT_EQ(SendMessageA(tv->Handle(), TVM_GETCOUNT, 0, 0), 2);

  items->Clear();
  EXPECT_EQ(items->Count(), 0);
  EXPECT_EQ(items->GetFirstNode(), nullptr);
  EXPECT_EQ(SendMessageA(tv->Handle(), TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(tv->Selected(), nullptr);
  // Filled again after a clear, as the picker does for each box.
  items->AddChild(items->Add(nullptr, "1"), "Texto");
  EXPECT_EQ(SendMessageA(tv->Handle(), TVM_GETCOUNT, 0, 0), 2);
}

TEST_F(TreeViewTest, NodesOutliveTheWindowWhenItIsMadeAnew) {
  // Nodes added before the control has a window.
  auto* tv = new TTreeView(form);
  TTreeNode* a = tv->Items()->Add(nullptr, "Condições");
  TTreeNode* a1 = tv->Items()->AddChildObject(a, "Boa fixação", &codes[0]);
  tv->Items()->Add(nullptr, "Conclusão");
  a->Expand(false);
  a1->SetSelected(true);
  EXPECT_EQ(a1->ItemId(), nullptr);
  tv->SetParent(form);
  tv->SetBounds(10, 10, 200, 150);
  const HWND w = tv->Handle();
  EXPECT_EQ(SendMessageA(w, TVM_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(w, a1->ItemId()), "Boa fixação");
  EXPECT_EQ(tv->Selected(), a1);

  int changes = 0;
  tv->OnChange = [&](TObject*, TTreeNode*) { ++changes; };
  // Read-only changes the window's style: the window is made anew from the nodes, with the
  // same selection and expansion and without change events.
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & TVS_EDITLABELS);
  tv->SetReadOnly(true);
  const HWND again = tv->Handle();
  EXPECT_FALSE(GetWindowLongA(again, GWL_STYLE) & TVS_EDITLABELS);
  EXPECT_EQ(SendMessageA(again, TVM_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemText(again, a1->ItemId()), "Boa fixação");
  EXPECT_EQ(tv->Selected(), a1);
  EXPECT_TRUE(a->Expanded());
  EXPECT_TRUE(SendMessageA(again, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(a->ItemId()), TVIS_EXPANDED) &
              TVIS_EXPANDED);
  EXPECT_EQ(changes, 0);
  // A read-only tree refuses to edit a label.
  EXPECT_EQ(SendMessageA(again, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(a1->ItemId())), 0);

  // An edited label reaches the node, so that it survives the next window.
  tv->SetReadOnly(false);
  const HWND edit = reinterpret_cast<HWND>(SendMessageA(tv->Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(a1->ItemId())));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Fixação instável");
  SendMessageA(tv->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
  Pump();
  EXPECT_EQ(a1->Text(), "Fixação instável");

  // Freed with its window and nodes while a node is selected.
  tv->Free();
  Pump();
}

}  // namespace
