// The start-up's automatic-backup check: the offer comes when the exams without backup reach the
// count of the options, and not before.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmBackup.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"
#include "windows/UfrmStarting.h"
#include "windows/WindowsTestSupport.h"

namespace {

using windowstest::CaminhoWindows;
using windowstest::EsperarAte;
using windowstest::TInstalacaoTeste;

TEST(BackupStartUp, TheOfferComesWhenTheExamsWithoutBackupReachTheCount) {
  struct Caso {
    const char* AutoOp2;
    bool Oferta;
  } casos[] = {{"1", true}, {"2", false}};
  for (const Caso& c : casos) {
    TDialogScript dialogs;
    TInstalacaoTeste inst("BackupStartUp");
    const std::string ini = CaminhoWindows(inst.Configuracao());
    WritePrivateProfileStringA("BACKUP", "AUTO", "2", ini.c_str());
    WritePrivateProfileStringA("BACKUP", "AUTO_OP2", c.AutoOp2, ini.c_str());
    DMPrincipal = new TDMPrincipal(Application);
    ASSERT_TRUE(DMPrincipal->PSetDataBaseName(inst.Banco()));
    TDadosPaciente paciente;
    paciente.Nome = "Bruno";
    TDExames::InsertExames(TDPacientes::InsertPacientes(paciente, EncodeDate(2026, 12, 10), 0),
                           TDMedicos::InsertMedicos(TDadosMedico{"Dra. Ana"}), EncodeDate(2026, 12, 10),
                           EncodeTime(9, 0, 0, 0), "OD", 0.9, "T", "", "", "", 32, "4");
    DMPrincipal->PCommitDataBase();
    dialogs.Answer(IDNO);
    frmPrincipal = new TfrmPrincipal(Application);
    frmPrincipal->ApplicationEvents1Activate(nullptr);
    EXPECT_TRUE(StartedUp);
    if (c.Oferta) {
      ASSERT_EQ(dialogs.Log().size(), 1u);
      const TDialogScript::Entry& e = dialogs.Log()[0];
      EXPECT_EQ(e.Text, "Backup automático inicializado... deseja continuar?");
      EXPECT_EQ(e.Caption, "Informação");
      EXPECT_EQ(e.Buttons, UINT(MB_YESNO));
      EXPECT_EQ(e.Icon, UINT(MB_ICONQUESTION));
    } else {
      EXPECT_TRUE(dialogs.Log().empty()) << c.AutoOp2;
    }
    EXPECT_TRUE(EsperarAte([] { return frmBackup == nullptr; }));
    frmPrincipal->Close();
    EsperarAte([] { return frmPrincipal == nullptr && frmIniciando == nullptr; });
    if (frmExames) frmExames->Free();
    DMPrincipal->Free();
    DMPrincipal = nullptr;
    StartedUp = false;
  }
}

}  // namespace
