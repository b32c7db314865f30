// Every control on one form, photographed from the screen and compared with the stored picture
// within a tolerance. The stored picture is made again only on purpose: run the test with
// MZ_REGENERATE_GALLERY=1 and commit toolkit/ui/testdata/controls_gallery.bmp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ControlsTestSupport.h"
#include "toolkit/ui/ComCtrls_RichEdit.h"
#include "toolkit/ui/ComCtrls_TrackBar.h"
#include "toolkit/ui/ComCtrls_TreeView.h"
#include "toolkit/ui/ComCtrls_UpDown.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Mask.h"
#include "toolkit/ui/Spin.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

testing::Environment* const env = testing::AddGlobalTestEnvironment(new uitest::UiEnvironment);

using uitest::Pump;

class GalleryTest : public uitest::ControlsTest {
 protected:
  template <class T>
  T* Put(TWinControl* Parent, int X, int Y, int W, int H) {
    T* c = new T(form);
    c->SetParent(Parent);
    c->SetBounds(X, Y, W, H);
    return c;
  }
  void Build() {
    form->SetBounds(0, 0, 640, 760);
    Put<TLabel>(form, 8, 8, 100, 15)->SetCaption("&Nome do paciente:");
    Put<TEdit>(form, 8, 26, 150, 21)->SetText("Ana Souza");
    auto* senha = Put<TEdit>(form, 8, 52, 150, 21);
    senha->SetPasswordChar('*');
    senha->SetText("segredo");
    auto* memo = Put<TMemo>(form, 8, 78, 150, 60);
    memo->Lines()->Add("Primeira linha");
    memo->Lines()->Add("Segunda linha");
    auto* list = Put<TListBox>(form, 8, 144, 150, 60);
    list->Items()->SetCommaText("Ana,Bruno,Carla,Daniel");
    list->SetItemIndex(1);
    auto* combo = Put<TComboBox>(form, 8, 210, 150, 21);
    combo->Items()->SetCommaText("Oftalmo,Clinico");
    combo->SetItemIndex(0);
    auto* combo2 = Put<TComboBox>(form, 8, 236, 150, 21);
    combo2->SetStyle(csDropDownList);
    combo2->Items()->SetCommaText("Lista,Fixa");
    combo2->SetItemIndex(1);

    Put<TButton>(form, 170, 8, 75, 25)->SetCaption("&Gravar");
    Put<TBitBtn>(form, 250, 8, 90, 25)->SetKind(bkCancel);
    auto* speed = Put<TSpeedButton>(form, 345, 8, 25, 25);
    speed->SetCaption("S");
    speed->SetGroupIndex(1);
    speed->SetDown(true);
    Put<TSpeedButton>(form, 372, 8, 25, 25)->SetCaption("T");
    auto* check = Put<TCheckBox>(form, 170, 40, 120, 17);
    check->SetCaption("Marcado");
    check->SetChecked(true);
    auto* radio = Put<TRadioButton>(form, 170, 60, 120, 17);
    radio->SetCaption("Escolhido");
    radio->SetChecked(true);
    auto* group = Put<TRadioGroup>(form, 170, 80, 200, 70);
    group->SetCaption("Olho");
    group->Items()->SetCommaText("Direito,Esquerdo");
    group->SetItemIndex(0);
    auto* box = Put<TGroupBox>(form, 170, 156, 200, 60);
    box->SetCaption("Grupo");
    Put<TLabel>(box, 10, 25, 100, 15)->SetCaption("Dentro do grupo");

    auto* panel = Put<TPanel>(form, 380, 40, 240, 60);
    panel->SetCaption("Painel");
    panel->SetBevelInner(bvLowered);
    auto* bevel = Put<TBevel>(form, 380, 106, 240, 10);
    bevel->SetShape(bsTopLine);
    const struct {
      TShapeType type;
      TColor color;
    } shapes[] = {{stRectangle, clRed}, {stEllipse, clLime}, {stCircle, clBlue}};
    for (int i = 0; i < 3; ++i) {
      auto* s = Put<TShape>(form, 380 + i * 80, 116, 70, 40);
      s->SetShape(shapes[i].type);
      s->Brush()->SetColor(shapes[i].color);
    }
    auto* image = Put<TImage>(form, 380, 162, 60, 60);
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(20, 20);
    bmp.Canvas()->Brush()->SetColor(clNavy);
    bmp.Canvas()->FillRect(Rect(0, 0, 20, 20));
    bmp.Canvas()->Brush()->SetColor(clYellow);
    bmp.Canvas()->FillRect(Rect(5, 5, 15, 15));
    image->Picture()->SetBitmap(&bmp);
    image->SetStretch(true);
    auto* paint = Put<TPaintBox>(form, 450, 162, 60, 60);
    paint->OnPaint = [paint](TObject*) {
      paint->Canvas()->Pen()->SetColor(clMaroon);
      paint->Canvas()->MoveTo(0, 0);
      paint->Canvas()->LineTo(60, 60);
      paint->Canvas()->MoveTo(60, 0);
      paint->Canvas()->LineTo(0, 60);
    };

    auto* progress = Put<TProgressBar>(form, 8, 268, 362, 16);
    progress->SetPosition(60);
    auto* pages = Put<TPageControl>(form, 8, 292, 612, 140);
    for (const char* caption : {"Dados", "Exames", "Laudo"}) {
      auto* t = new TTabSheet(form);
      t->SetCaption(caption);
      t->SetPageControl(pages);
    }
    Put<TLabel>(pages->Pages(0), 10, 10, 200, 15)->SetCaption("Conteúdo da primeira página");
    BuildLowerRows();
    auto* status = new TStatusBar(form);
    status->SetParent(form);
    status->AddPanel()->SetText("Pronto");
    status->AddPanel()->SetText("MZ3100");
    status->Panels(0)->SetWidth(200);
  }
  // Lists, text and containers below the page control.
  void BuildLowerRows() {
    auto* toolbar = Put<TToolBar>(form, 8, 440, 300, 26);
    toolbar->SetAlign(alNone);
    toolbar->SetBounds(8, 440, 300, 26);
    toolbar->SetShowCaptions(true);
    toolbar->SetButtonWidth(60);
    // Run-time buttons go before the first one at or right of their Left: made last to first.
    for (const char* caption : {"Mapas", "Exame", "Paciente"}) {
      auto* b = new TToolButton(form);
      b->SetCaption(caption);
      b->SetParent(toolbar);
    }
    toolbar->Buttons(1)->SetStyle(tbsCheck);
    toolbar->Buttons(1)->SetDown(true);
    auto* tabs = Put<TTabControl>(form, 320, 440, 300, 60);
    tabs->Tabs()->SetCommaText("Axial,Tangencial,Elevação");
    tabs->SetTabIndex(1);

    auto* tree = Put<TTreeView>(form, 8, 474, 150, 120);
    TTreeNode* patient = tree->Items()->Add(nullptr, "Ana Souza");
    tree->Items()->AddChild(patient, "OD 10/12/2026");
    tree->Items()->AddChild(patient, "OS 10/12/2026");
    tree->Items()->Add(nullptr, "Bruno Lima");
    patient->Expand(false);
    auto* view = Put<TListView>(form, 166, 474, 146, 120);
    view->SetViewStyle(vsReport);
    view->AddColumn()->SetCaption("Nome");
    view->AddColumn()->SetCaption("Olho");
    view->Columns(0)->SetWidth(80);
    for (const char* name : {"Carla", "Daniel"}) {
      TListItem* item = view->AddItem();
      item->SetCaption(name);
      item->SubItems()->Add("OD");
    }
    auto* rich = Put<TRichEdit>(form, 320, 508, 300, 86);
    rich->Lines()->Add("Laudo: córnea regular.");
    rich->SetSelStart(0);
    rich->SetSelLength(6);
    rich->SelAttributes()->SetColor(clRed);
    rich->SetSelLength(0);

    auto* mask = Put<TMaskEdit>(form, 8, 602, 100, 21);
    mask->SetEditMask("!99/99/0000;1;_");
    mask->SetText("10/12/2026");
    auto* spin = Put<TSpinEdit>(form, 116, 602, 70, 21);
    spin->SetValue(16);
    auto* buddy = Put<TEdit>(form, 194, 602, 50, 21);
    auto* updown = Put<TUpDown>(form, 244, 602, 16, 21);
    updown->SetAssociate(buddy);
    updown->SetPosition(32);
    auto* track = Put<TTrackBar>(form, 268, 600, 200, 30);
    track->SetMax(10);
    track->SetPosition(4);
    auto* bar = Put<TScrollBar>(form, 476, 604, 144, 17);
    bar->SetPageSize(10);
    bar->SetPosition(40);

    auto* scroll = Put<TScrollBox>(form, 8, 632, 200, 70);
    Put<TPanel>(scroll, 10, 10, 300, 120)->SetCaption("Rolagem");
    auto* split = Put<TPanel>(form, 216, 632, 104, 70);
    split->SetBevelOuter(bvNone);
    auto* left = Put<TPanel>(split, 0, 0, 50, 70);
    left->SetAlign(alLeft);
    left->SetCaption("OD");
    auto* splitter = Put<TSplitter>(split, 50, 0, 4, 70);
    splitter->SetAlign(alLeft);
    auto* right = Put<TPanel>(split, 54, 0, 50, 70);
    right->SetAlign(alClient);
    right->SetCaption("OS");
    auto* pager = Put<TPageScroller>(form, 328, 640, 292, 40);
    auto* inner = new TToolBar(form);
    inner->SetAlign(alNone);
    inner->SetBounds(0, 0, 100, 30);
    inner->SetAutoSize(true);
    inner->SetParent(pager);
    inner->SetShowCaptions(true);
    inner->SetButtonWidth(70);
    for (const char* caption : {"Refr", "Elev", "Foto", "Olhos", "Lente", "Dif", "Multi", "Orto", "Tang", "Axial"}) {
      auto* b = new TToolButton(form);
      b->SetCaption(caption);
      b->SetParent(inner);
    }
    pager->SetControl(inner);
  }
};

// The client area of Form as drawn on its window surface (other windows of a parallel test run
// on the same display may cover the screen).
std::unique_ptr<TBitmap> Screenshot(TForm* Form) {
  auto shot = std::make_unique<TBitmap>();
  shot->SetPixelFormat(pf24bit);
  shot->SetSize(Form->ClientWidth(), Form->ClientHeight());
  HDC dc = GetDCEx(Form->Handle(), nullptr, DCX_CACHE);
  BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(Form->Handle(), dc);
  return shot;
}

// The share of pixels whose colour differs by more than Tolerance in some channel.
double DifferentShare(TBitmap* A, TBitmap* B, int Tolerance) {
  if (A->Width() != B->Width() || A->Height() != B->Height()) return 1.0;
  int different = 0;
  for (int y = 0; y < A->Height(); ++y) {
    const auto* ra = static_cast<const unsigned char*>(A->ScanLine(y));
    const auto* rb = static_cast<const unsigned char*>(B->ScanLine(y));
    for (int x = 0; x < A->Width() * 3; x += 3) {
      for (int c = 0; c < 3; ++c) {
        if (std::abs(ra[x + c] - rb[x + c]) > Tolerance) {
          ++different;
          break;
        }
      }
    }
  }
  return static_cast<double>(different) / (A->Width() * A->Height());
}

TEST_F(GalleryTest, EveryControlLooksAsStored) {
  Build();
  form->BringToFront();
  Pump(300);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(200);
  // Another window on top must not spoil the picture.
  TForm* cover = new TForm(Application);
  cover->SetBounds(100, 100, 200, 150);
  cover->SetColor(clFuchsia);
  cover->Show();
  Pump(100);
  auto shot = Screenshot(form);
  cover->Free();
  shot->SaveToFile(std::string("Z:") + std::getenv("MZ_BINARY_DIR") + "/controls_gallery.bmp");
  const std::string reference = std::string("Z:") + std::getenv("MZ_SOURCE_DIR") + "/toolkit/ui/testdata/controls_gallery.bmp";
  const char* regenerate = std::getenv("MZ_REGENERATE_GALLERY");
  if (regenerate && std::strcmp(regenerate, "1") == 0) {
    shot->SaveToFile(reference);
    GTEST_SKIP() << "reference picture written";
  }
  TBitmap stored;
  stored.LoadFromFile(reference);
  stored.SetPixelFormat(pf24bit);
  EXPECT_LT(DifferentShare(shot.get(), &stored, 40), 0.02);
}

}  // namespace
