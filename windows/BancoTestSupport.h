#pragma once
// A window test over a fresh test installation with what the program sets up before its windows open:
// the data module on the installation's database, the settings read into the records and the map data
// object; message boxes and file dialogs are answered and logged. All of it is given back when the test
// ends, after the test's own windows.
#include <functional>
#include <memory>

#include "core/UBConstantes.h"
#include "core/UBIniSettings.h"
#include "core/UBMapOperation.h"
#include "core/UfrmDataModule.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmPrincipal.h"
#include "windows/WindowsTestSupport.h"

namespace windowstest {

class TesteComBanco : public testing::Test {
 protected:
  void SetUp() override { PrepararInstalacao(); }
  // Ajustar changes the settings before they reach the records.
  void PrepararInstalacao(const TInstalacaoTeste::TOpcoes& Opcoes = {}, const std::function<void(TBIniSettings&)>& Ajustar = {}) {
    inst = std::make_unique<TInstalacaoTeste>(testing::UnitTest::GetInstance()->current_test_info()->name(), Opcoes);
    DMPrincipal = new TDMPrincipal(Application);
    ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst->Banco()));
    BIniSettings = std::make_unique<TBIniSettings>();
    ASSERT_TRUE(BIniSettings->LoadAll());
    if (Ajustar) Ajustar(*BIniSettings);
    CopySettingsToRecords(*BIniSettings);
    BMapOperation = std::make_unique<TBMapOperation>();
  }
  // A test's TearDown frees its windows, then calls this one.
  void TearDown() override {
    Application->ProcessMessages();
    if (DMPrincipal) DMPrincipal->Free();
    DMPrincipal = nullptr;
    BIniSettings.reset();
    BMapOperation.reset();
    inst.reset();
  }

  TDialogScript dialogs;
  std::unique_ptr<TInstalacaoTeste> inst;
};

}  // namespace windowstest
