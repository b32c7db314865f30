// The tools window opened from the main window: a comma in the increment box, and the start-up of
// the next run still completes.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "core/UBConstantes.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmFerramentas.h"
#include "windows/UfrmPrincipal.h"
#include "windows/UfrmStarting.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::EsperarAte;
using windowstest::TInstalacaoTeste;
using windowstest::TPassoModal;

void Iniciar() {
  frmPrincipal = new TfrmPrincipal(Application);
  frmPrincipal->ApplicationEvents1Activate(nullptr);
}

void Encerrar() {
  frmPrincipal->Close();
  EsperarAte([] { return frmPrincipal == nullptr && frmIniciando == nullptr; });
  if (frmExames) frmExames->Free();
}

TEST(FerramentasStartUp, ACommaInTheIncrementBoxLeavesTheNextStartUpWhole) {
  TDialogScript dialogs;
  TInstalacaoTeste inst("FerramentasStartUp");
  DMPrincipal = new TDMPrincipal(Application);
  Iniciar();
  ASSERT_TRUE(StartedUp);
  bool aberta = false;
  {
    TPassoModal passo([&] {
      aberta = frmFerramentas && frmFerramentas->Visible();
      if (!frmFerramentas) return;
      // The main window's module list.
      EXPECT_EQ(frmFerramentas->tlvMapas->Count(), 3);
      frmFerramentas->rbtDisable->SetChecked(true);
      frmFerramentas->EdtIncMap->SetText("0,5");
      frmFerramentas->btnFechar->Click();
    });
    frmPrincipal->btnTools->Click();
  }
  EXPECT_TRUE(aberta);
  EXPECT_EQ(frmFerramentas, nullptr);
  char valor[64] = {};
  GetPrivateProfileStringA("OPCOES", "INCMAP", "", valor, sizeof valor, CaminhoWindows(inst.Configuracao()).c_str());
  EXPECT_STREQ(valor, "0.5");
  Encerrar();

  StartedUp = false;
  InfosMZ.IncMap = 0;
  Iniciar();
  EXPECT_TRUE(StartedUp);
  EXPECT_EQ(InfosMZ.IncMap, 0.5);
  EXPECT_TRUE(InfosMZ.AutoIncMap);
  EXPECT_TRUE(dialogs.Log().empty());
  Encerrar();
  DMPrincipal->Free();
  DMPrincipal = nullptr;
}

}  // namespace
