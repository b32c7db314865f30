#pragma once
// The exam browser: its map toolbar with one button per installed map module, and the two picture
// lists of those buttons (normal and hot).
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/ImgList.h"

class TfrmExames : public TForm {
 public:
  explicit TfrmExames(TComponent* AOwner);
  ~TfrmExames() override;

  TToolBar* tlbMapas;
  TImageList* ImageList3;
  TImageList* ImageList4;

  // A single-map module's button and a multi-exam module's button.
  virtual void MapaClick(TObject* Sender);
  virtual void MapasClick(TObject* Sender);

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmExames* frmExames;
