// The backup and the restore of the backup window.
#include <windows.h>

#include "core/UBBackupDLL.h"
#include "core/UBBackupRegras.h"
#include "core/UBConstantes.h"
#include "core/UBModuleStream.h"
#include "core/UDExames.h"
#include "core/UDLaudos.h"
#include "core/UfrmDataModule.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/IniFiles.h"
#include "toolkit/rtl/StringUtils.h"
#include "toolkit/rtl/SysUtils.h"
#include "windows/UBCopiaConferida.h"
#include "windows/UBPontoParada.h"
#include "windows/UBRestauracao.h"
#include "windows/UBShell.h"
#include "windows/UfrmBackup.h"

namespace {

// The module's result column BACKUP holds 10 characters.
constexpr size_t kTamanhoBackup = 10;

std::string Texto(const char* s) { return s ? s : ""; }
std::string EstadoLocal() { return Texto(PathsMZ.DirMZ) + "\\BackUp.ini"; }
std::string BancoLocal() { return Texto(PathsMZ.BancoDados); }

// The lines of a module's result stream.
std::vector<std::string> Linhas(TMemoryStream& Stream) {
  std::vector<std::string> linhas;
  if (Stream.Size() == 0) return linhas;
  Stream.SetPosition(0);
  TStringList lista;
  lista.LoadFromStream(&Stream);
  for (int i = 0; i < lista.Count(); ++i) linhas.push_back(lista[i]);
  return linhas;
}

// Refuses the whole result before any flag is set: more lines than items, or a line the column cannot hold.
void ConferirResultado(const std::vector<std::string>& Linhas, size_t Itens) {
  if (Linhas.size() > Itens)
    throw Exception("O módulo de backup devolveu " + std::to_string(Linhas.size()) + " resultados para " +
                    std::to_string(Itens) + " itens.");
  for (const std::string& l : Linhas)
    if (l.size() > kTamanhoBackup) throw Exception("Resultado do módulo de backup inválido: " + l);
}

void SalvarLog(TStringList& Log, const std::string& Nome) {
  const std::string arquivo = Texto(PathsMZ.DirMZ) + "\\" + Nome;
  DeleteFile(arquivo);
  Log.SaveToFile(arquivo);
}

void MostrarErro(const std::string& Texto) { Application->MessageBox(Texto, "Backup", MB_ICONERROR); }

}  // namespace

void TfrmBackup::PrepararExames(std::vector<int>& Codigos, TStringList& Arquivos) {
  TDExames cursor;
  cursor.Ativar();
  cursor.Navegar("BACKUP", "", "SELECT");
  const int n = TDExames::CountExamesSemBackup();
  Status("Preparando exames...");
  pgbBackup->SetPosition(0);
  pgbBackup->SetMax(n);
  const std::string exames = Texto(PathsMZ.Exames);
  TStringList log;
  for (int i = 0; i < n; ++i, cursor.Navegar("", "", "Next")) {
    const std::string nome = std::to_string(cursor.GetCodPaciente()) + "\\" + std::to_string(cursor.GetCodigo());
    const std::string base = exames + "\\" + nome;
    if (FileExists(base + "a.txt") || FileExists(base + "d.txt") || FileExists(base + "m.txt")) {
      for (const char* f : {"a.txt", "d.txt", "m.txt"}) Arquivos.Add(nome + f);
      Codigos.push_back(cursor.GetCodigo());
      pgbBackup->StepBy(1);
    } else {
      log.Add("Exame não encontrado: " + nome);
    }
  }
  cursor.Desativar();
  if (log.Count() == 0) return;
  lblAvisoBackup->SetVisible(true);
  SalvarLog(log, "LogBackupExame.txt");
}

void TfrmBackup::PrepararLaudos(std::vector<int>& Codigos, TStringList& Arquivos) {
  TDLaudos cursor;
  cursor.Ativar();
  cursor.Navegar("BACKUP", "", "SELECT");
  const int n = TDLaudos::CountLaudosSemBackup();
  Status("Preparando laudos...");
  pgbBackup->SetPosition(0);
  pgbBackup->SetMax(n);
  const std::string laudos = Texto(PathsMZ.Laudos);
  TStringList log;
  for (int i = 0; i < n; ++i, cursor.Navegar("", "", "Next")) {
    const std::string nome =
        std::to_string(cursor.GetCodPaciente()) + "\\" + std::to_string(cursor.GetCodigo()) + "l.txt";
    if (FileExists(laudos + "\\" + nome)) {
      Arquivos.Add(nome);
      Codigos.push_back(cursor.GetCodigo());
      pgbBackup->StepBy(1);
    } else {
      log.Add("Laudo não encontrado: " + nome);
    }
  }
  cursor.Desativar();
  if (log.Count() == 0) return;
  lblAvisoBackup->SetVisible(true);
  SalvarLog(log, "LogBackupLaudo.txt");
}

void TfrmBackup::btnIniciarBkpClick(TObject*) {
  lblAvisoBackup->SetCaption(
      "Alguns exames/laudos não foram encontrados no HD e não foram incluídos no backup.");
  lblAvisoBackup->SetVisible(false);
  std::vector<int> exames, laudos;
  TStringList listaExames, listaLaudos;
  PrepararExames(exames, listaExames);
  PrepararLaudos(laudos, listaLaudos);
  Status("Preparação concluída. Realizando backup...");
  TMemoryStream sExames, sResExames, sLaudos, sResLaudos;
  listaExames.SaveToStream(&sExames);
  listaLaudos.SaveToStream(&sLaudos);
  sExames.SetPosition(0);
  sLaudos.SetPosition(0);
  // Without its module nothing reaches a medium: no flag, no database copy, no success.
  if (!CarregarBackupDLL(Texto(PathsMZ.BackupModulo))) return;
  int resultado;
  {
    TStreamModulo me(sExames), mre(sResExames), ml(sLaudos), mrl(sResLaudos);
    resultado = CriarBackup(reinterpret_cast<HWND__*>(Handle()), &me, &mre, &ml, &mrl, 3,
                            Texto(PathsMZ.Exames).c_str(), Texto(PathsMZ.Laudos).c_str());
  }
  LiberarBackupDLL();
  if (resultado == -1) return;
  const std::vector<std::string> resExames = Linhas(sResExames), resLaudos = Linhas(sResLaudos);
  ConferirResultado(resExames, exames.size());
  ConferirResultado(resLaudos, laudos.size());
  PontoDeParada("backup-arquivos");
  TMarcas marcas;
  std::string incompletos;
  for (size_t i = 0; i < resExames.size(); ++i) {
    marcas.Exames.emplace_back(exames[i], resExames[i]);
    // Its list names are "patient\exam" + the file's ending, three per exam.
    const std::string& nome = listaExames[int(3 * i)];
    if (resExames[i] == "INCOMPLETO") incompletos += "\r\n" + nome.substr(0, nome.size() - 5);
  }
  for (size_t i = 0; i < resLaudos.size(); ++i) marcas.Laudos.emplace_back(laudos[i], resLaudos[i]);
  const char letra = Drive.empty() ? 0 : Drive[0];
  const int64_t livre = letra >= 'A' && letra <= 'Z' ? DiskFree(uint8_t(letra - 'A' + 1)) : -1;
  if (livre < 0 || TamanhoBackup() > livre / 1024) {
    if (!NovoDisco()) return;
  }
  if (!CopiarBancoParaBackup(marcas)) return;
  // Only now is the copy holding them whole on the medium.
  for (const auto& [codigo, texto] : marcas.Exames) TDExames::UpdateBackupExameByCodigo(codigo, texto);
  for (const auto& [codigo, texto] : marcas.Laudos) TDLaudos::UpdateBackupLaudoByCodigo(codigo, texto);
  DMPrincipal->PCommitDataBase();
  PontoDeParada("backup-marcado");
  CarregarInfoBackup();
  Application->MessageBox("Backup dos Exames e Laudos concluído com êxito" +
                              (incompletos.empty() ? std::string()
                                                   : "\r\n\r\nExames com arquivos faltando (INCOMPLETO):" + incompletos),
                          "Backup", MB_ICONINFORMATION);
  Status("Backup finalizado!");
}

bool TfrmBackup::NovoDisco() {
  const auto perguntar = [] {
    return Application->MessageBox("Insira um NOVO disco no drive e pressione OK.", "Backup",
                                   MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
  };
  if (!perguntar()) return true;
  TIniFile ini(EstadoLocal());
  const std::string tipo = UpperCase(ini.ReadString("BACKUP", "TipoBkp", ""));
  const std::string comando = ini.ReadString("BACKUP", "DirectCD", "");
  const int disco = ini.ReadInteger("BACKUP", "DiscoAtual", 0) + 1;
  if (tipo == "ZIP") {
    while (!SetCurrentDir(Drive))
      if (!perguntar()) return true;
    if (Application->MessageBox("Será necessário um disco formatado, ou seja, que não contenha nenhum arquivo.\r\n"
                                "Com a formatação todos os dados serão apagados! Deseja formatar o disco atual "
                                "agora? ",
                                "Backup", MB_YESNO | MB_ICONQUESTION) == IDYES)
      ShellFormatarDrive(HWND(Handle()), UINT(Drive[0] - 'A'), 0xFFFF, 0);
    ShellRotularVolume(Drive, "MZ4K" + NumeroDisco(disco));
  } else if (tipo == "CDR") {
    while (!DrivePronto(Drive[0]))
      if (!perguntar()) return true;
    if (Application->MessageBox(
            "Será necessário um CD-RW formatado, ou seja, que não contenha nenhum arquivo e que tenha sido gerado a "
            "partir do software apropriado.\r\nDeseja formatar o CD-RW agora?\r\nEscolha \"Sim\" para formatar o "
            "CD-RW ou escolha \"Não\" se este já for um CD-RW formatado",
            "Backup", MB_YESNO | MB_ICONINFORMATION) == IDYES) {
      if (ShellWinExec(comando, SW_SHOWNORMAL) <= 31) {
        Application->MessageBox(SysErrorMessage(GetLastError()), "Backup", MB_ICONERROR);
      } else {
        Sleep(7000);
        if (Application->MessageBox("Deseja continuar o BackUp?", "Backup", MB_YESNO | MB_ICONINFORMATION) != IDYES)
          return false;
      }
      if (!GravarRotuloDisco(Drive, disco)) {
        Application->MessageBox("Erro ao gravar o arquivo .dat no CD. O BackUp será encerrado.", "BackUp",
                                MB_ICONERROR);
        return false;
      }
    }
  }
  ini.WriteInteger("BACKUP", "DiscoAtual", disco);
  for (const char* chave : {"NumArquivos", "NumArquivosLau", "NumExamDisco", "NumLauDisco"})
    ini.WriteInteger("BACKUP", chave, 0);
  ini.WriteInteger("BACKUP", "ArquivoAtual", 1);
  return true;
}

bool TfrmBackup::CopiarBancoParaBackup(const TMarcas& Marcas) {
  // A live database file is not a copy: commit, detach, copy, check, and attach again in every case.
  // The medium's previous copy stays whole until the new one beside it has attached and taken the marks.
  DMPrincipal->PCommitDataBase();
  DMPrincipal->PDesconectionDataBase();
  DWORD erro = 0;
  std::string texto;
  const std::string destino = Drive + "Banco de Dados";
  // Source and name on the medium of each file.
  std::vector<std::pair<std::string, std::string>> copias;
  for (const std::string& n : ArquivosDaPasta(BancoLocal())) copias.emplace_back(BancoLocal() + "\\" + n, destino + "\\" + n);
  if (FileExists(EstadoLocal())) copias.emplace_back(EstadoLocal(), Drive + "BackUp.ini");
  for (size_t i = 0; i < copias.size() && !erro; ++i) {
    const std::string& para = copias[i].second;
    erro = CriarPasta(para.substr(0, para.rfind('\\')));
    if (!erro) erro = CopiarArquivoConferido(copias[i].first, para + kNovo);
  }
  PontoDeParada("backup-banco-copiado");
  if (!erro)
    BancoAnexa(destino + "\\DATABASE.GDB" + kNovo, texto, [&Marcas](TIBQuery& q) {
      for (const auto& [tabela, marcas] : {std::pair{"EXAMES", &Marcas.Exames}, {"LAUDOS", &Marcas.Laudos}})
        for (const auto& [codigo, backup] : *marcas) {
          q.SQL().Clear();
          q.SQL().Add(std::string("UPDATE ") + tabela + " SET BACKUP = :Backup WHERE CODIGO = :Codigo");
          q.ParamByName("Backup").SetAsString(backup);
          q.ParamByName("Codigo").SetAsInteger(codigo);
          q.ExecSQL();
        }
    });
  if (!erro && texto.empty()) erro = GravarNoDisco(destino + "\\DATABASE.GDB" + kNovo);
  PontoDeParada("backup-banco-conferido");
  for (size_t i = 0; i < copias.size() && !erro && texto.empty(); ++i) {
    erro = TrocarPeloNovo(copias[i].second);
    PontoDeParada("backup-banco-trocado");
  }
  for (const auto& c : copias) DeleteFile(c.second + kNovo);
  DMPrincipal->PConnectDataBase();
  if (erro) texto = SysErrorMessage(erro);
  if (texto.empty()) return true;
  Status("");
  MostrarErro(texto);
  return false;
}

void TfrmBackup::btnRestaurarClick(TObject*) {
  if (Application->MessageBox("Atenção!!! Esta operação irá substituir todos os exames\r\natuais pelos exames "
                              "armazenados no último backup realizado.\r\r\nQualquer dúvida entrar em contato com o "
                              "nosso suporte técnico.",
                              "Informação", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
    return;
  // Nothing of the installation changes before the medium's database is known to be whole.
  TBRestauracao restauracao(Drive);
  std::string erro;
  if (!restauracao.PrepararBanco(erro)) {
    MostrarErro("Não foi possível restaurar: a cópia de segurança do banco de dados está danificada.\r\n\r\n" + erro);
    return;
  }
  PontoDeParada("restauracao-banco");
  if (!CarregarBackupDLL(Texto(PathsMZ.BackupModulo))) return;
  const int resultado = RestaurarBackup(reinterpret_cast<HWND__*>(Handle()), restauracao.PastaExames().c_str(),
                                        restauracao.PastaLaudos().c_str());
  LiberarBackupDLL();
  if (resultado == -1) return;
  if (!restauracao.ConferirArquivos(erro)) {
    MostrarErro("Não foi possível restaurar: faltam arquivos de exames na cópia de segurança." + erro);
    return;
  }
  PontoDeParada("restauracao-arquivos");
  DMPrincipal->PDesconectionDataBase();
  const DWORD falha = restauracao.Trocar();
  DMPrincipal->PConnectDataBase();
  if (falha) {
    MostrarErro("Não foi possível restaurar: nada foi alterado.\r\n\r\n" + SysErrorMessage(falha));
    return;
  }
  Application->MessageBox("Restauração concluída com êxito", "Backup", MB_ICONINFORMATION);
}
