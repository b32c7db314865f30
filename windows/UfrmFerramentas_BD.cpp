// The database page: counts, code generators, backed-up rows, the database file, and the reset of
// the backup flags.
#include <windows.h>

#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/IniFiles.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UBControles.h"
#include "windows/UfrmFerramentas.h"

namespace {

std::string Contagem(int Value) { return FormatFloat("0000", Value); }

}  // namespace

void TfrmFerramentas::CriarBancoDeDados() {
  TWinControl* p = tshBD;
  CriarControle<TLabel>(this, p, "lblTitQuantidade", 160, 8, 90, 16, "Quantidade");
  CriarControle<TLabel>(this, p, "lblTitCodigo", 280, 8, 90, 16, "Último código");
  const struct {
    const char* Rotulo;
    TLabel** Quantidade;
    const char* NomeQuantidade;
    TLabel** Codigo;
    const char* NomeCodigo;
  } linhas[] = {
      {"Médicos:", &lblMedicos, "lblMedicos", &lblCodMedicos, "lblCodMedicos"},
      {"Pacientes:", &lblPacientes, "lblPacientes", &lblCodPacientes, "lblCodPacientes"},
      {"Exames:", &lblExames, "lblExames", &lblCodExames, "lblCodExames"},
      {"Laudos:", &lblLaudos, "lblLaudos", &lblCodLaudos, "lblCodLaudos"},
      {"Exames com backup:", &lblExamesBackup, "lblExamesBackup", nullptr, nullptr},
      {"Laudos com backup:", &lblLaudosBackup, "lblLaudosBackup", nullptr, nullptr},
  };
  int top = 32;
  for (const auto& l : linhas) {
    CriarControle<TLabel>(this, p, std::string("lblTit") + (l.NomeQuantidade + 3), 16, top, 140, 16, l.Rotulo);
    *l.Quantidade = CriarControle<TLabel>(this, p, l.NomeQuantidade, 160, top, 100, 16, "0000");
    if (l.Codigo) *l.Codigo = CriarControle<TLabel>(this, p, l.NomeCodigo, 280, top, 100, 16, "0000");
    top += 24;
  }
  CriarControle<TLabel>(this, p, "lblTitTamanhoBD", 16, top + 8, 140, 16, "Tamanho do banco:");
  lblTamanhoBD = CriarControle<TLabel>(this, p, "lblTamanhoBD", 160, top + 8, 200, 16, "0000 MBytes");
  lblDiretorioBD = CriarControle<TLabel>(this, p, "lblDiretorioBD", 16, top + 32, 540, 16, " ");
  lblReiniciaBackup = CriarControle<TLabel>(this, p, "lblReiniciaBackup", 16, top + 64, 400, 16, "0");
  btnZerarBackup = CriarControle<TsButton>(this, p, "btnZerarBackup", 430, top + 56, 120, 30, "Zerar Backup");
  btnZerarBackup->OnClick = [this](TObject* Sender) { btnZerarBackupClick(Sender); };
  const std::string banco = std::string(PathsMZ.BancoDados ? PathsMZ.BancoDados : "") + "\\DATABASE.GDB";
  WIN32_FILE_ATTRIBUTE_DATA dados = {};
  if (GetFileAttributesExA(banco.c_str(), GetFileExInfoStandard, &dados) &&
      !(dados.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const double tamanho = (double(dados.nFileSizeHigh) * 4294967296.0 + dados.nFileSizeLow) / 1024 / 1024;
    lblTamanhoBD->SetCaption(FormatFloat("0.000", tamanho) + " MBytes");
  }
  lblDiretorioBD->SetCaption(banco);
}

void TfrmFerramentas::StatusBD() {
  lblMedicos->SetCaption(Contagem(TDMedicos::CountMedicos()));
  lblCodMedicos->SetCaption(Contagem(TDMedicos::GetUltimoCodigo()));
  lblPacientes->SetCaption(Contagem(TDPacientes::CountPacientes()));
  lblCodPacientes->SetCaption(Contagem(TDPacientes::GetUltimoCodigo()));
  lblExames->SetCaption(Contagem(TDExames::CountExames()));
  lblCodExames->SetCaption(Contagem(TDExames::GetUltimoCodigo()));
  lblLaudos->SetCaption(Contagem(TDLaudos::CountLaudos()));
  lblCodLaudos->SetCaption(Contagem(TDLaudos::GetUltimoCodigo()));
  lblExamesBackup->SetCaption(Contagem(TDExames::CountExames() - TDExames::CountExamesSemBackup()));
  lblLaudosBackup->SetCaption(Contagem(TDLaudos::CountLaudos() - TDLaudos::CountLaudosSemBackup()));
}

void TfrmFerramentas::btnZerarBackupClick(TObject*) {
  TIniFile ini(ArquivoBackUpIni());
  const int vezes = ini.ReadInteger("BACKUP", "BackupZerado", 0) + 1;
  if (!TDExames::ZeraBackupExames() || !TDLaudos::ZeraBackupLaudos()) return;
  // The resets are made durable here, not at some later commit of another window.
  DMPrincipal->PCommitDataBase();
  try {
    ini.WriteString("BACKUP", "DiscoAtual", "1");
    for (const char* chave : {"ArquivoAtual", "NumArquivos", "NumArquivosLau", "ArquivosGeral", "NumExamDisco",
                              "NumExamGeral", "NumLauDisco"})
      ini.WriteString("BACKUP", chave, "0");
    ini.WriteString("BACKUP", "UltDsk", "01/01/2007 00:00:00");
    ini.WriteString("BACKUP", "UltBkp", "01/01/2007 00:00:00");
    ini.WriteString("BACKUP", "BackupZerado", IntToStr(vezes));
  } catch (const Exception&) {
    Application->MessageBox("Erro - arquivo de backup não foi zerado.", "ERRO", MB_ICONERROR);
    return;
  }
  lblExamesBackup->SetCaption("0000");
  lblReiniciaBackup->SetCaption("Reinicialização do backup " + IntToStr(vezes) + " vez(es)");
  btnZerarBackup->SetEnabled(false);
  Application->MessageBox("Arquivo de backup zerado com sucesso.", "Informação", MB_ICONINFORMATION);
}
