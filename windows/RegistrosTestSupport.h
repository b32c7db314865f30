#pragma once
// The register windows' tests: a test installation with its database connected, message boxes
// answered and logged, and every register window closed (answering "Não") when the test ends.
#include <memory>

#include "core/UfrmDataModule.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmCadastroMedicos.h"
#include "windows/UfrmCadastroPacientes.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace windowstest {

class TesteCadastro : public testing::Test {
 protected:
  void SetUp() override {
    inst = std::make_unique<TInstalacaoTeste>(testing::UnitTest::GetInstance()->current_test_info()->name());
    DMPrincipal = new TDMPrincipal(Application);
    ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst->Banco()));
  }
  void TearDown() override {
    if (frmCadastroMedicos) {
      dialogs.Answer(IDNO);
      frmCadastroMedicos->Close();
    }
    if (frmCadastroPacientes) frmCadastroPacientes->Close();
    EsperarAte([] { return frmCadastroMedicos == nullptr && frmCadastroPacientes == nullptr; });
    if (frmPrincipal) frmPrincipal->Free();
    DMPrincipal->Free();
    DMPrincipal = nullptr;
    inst.reset();
  }

  TDialogScript dialogs;
  std::unique_ptr<TInstalacaoTeste> inst;
};

}  // namespace windowstest
