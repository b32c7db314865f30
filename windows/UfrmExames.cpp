#include "windows/UfrmExames.h"

#include "windows/UBArtes.h"

TfrmExames* frmExames = nullptr;

TfrmExames::TfrmExames(TComponent* AOwner) : TForm(AOwner) {
  InitializeForm([this] {
    SetName("frmExames");
    SetPosition(poScreenCenter);
    SetCaption("Navegador");
    SetClientWidth(792);
    SetClientHeight(566);
    // Pictures 0 and 1 come with the lists; 1 is the button of a module without a picture.
    ImageList3 = new TImageList(this);
    ImageList3->SetName("ImageList3");
    ImageList3->SetWidth(24);
    ImageList3->SetHeight(24);
    PreencherListaMascarada(ImageList3, "MAPA_", 2);
    ImageList4 = new TImageList(this);
    ImageList4->SetName("ImageList4");
    ImageList4->SetWidth(24);
    ImageList4->SetHeight(24);
    PreencherListaMascarada(ImageList4, "MAPA_", 2);
    tlbMapas = new TToolBar(this);
    tlbMapas->SetName("tlbMapas");
    tlbMapas->SetParent(this);
    tlbMapas->SetAlign(alTop);
    tlbMapas->SetButtonWidth(24);
    tlbMapas->SetButtonHeight(24);
    tlbMapas->SetFlat(true);
    tlbMapas->SetShowCaptions(false);
    tlbMapas->SetImages(ImageList3);
    tlbMapas->SetHotImages(ImageList4);
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  });
}

TfrmExames::~TfrmExames() {
  if (frmExames == this) frmExames = nullptr;
}

void TfrmExames::MapaClick(TObject*) {}

void TfrmExames::MapasClick(TObject*) {}

void TfrmExames::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
