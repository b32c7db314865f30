// The exam export file: the selected exam with its patient and doctor, its three map files and the
// calibration files, one scrambled line per line of text.
#include "core/UBConstantes.h"
#include "core/UDMedicos.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FilePaths.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/StringUtils.h"
#include "windows/UfrmExames.h"

void TfrmExames::AnexarArquivoTexto(TStrings& Lista, const std::string& Arquivo) {
  TStringList linhas;
  linhas.LoadFromFile(Arquivo);
  Lista.AddStrings(&linhas);
}

void TfrmExames::EmbaralharExportacao(TStrings& Lista) {
  for (int i = 0; i < Lista.Count(); ++i) {
    std::string linha = Lista[i].substr(0, TamanhoLinhaExportacao);
    for (char& c : linha) c = char(static_cast<unsigned char>(c) ^ ChaveExportacao);
    Lista.SetStrings(i, linha);
  }
}

void TfrmExames::tbExportadorClick(TObject*) {
  if (!lswPrincipal->Selected() || ModoExemplo) {
    Application->MessageBox("Por favor, selecione o exame que deseja exportar.", "Informação", MB_ICONINFORMATION);
    return;
  }
  if (!SelecionarExameAtual()) {
    Application->MessageBox("Erro ao exportar o exame.", "Exportação", MB_ICONERROR);
    return;
  }
  TIBQuery* paciente = DMPrincipal->IBQueryPacientes;
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  TStringList linhas;
  linhas.Add(paciente->FieldByName("NOME")->AsString());
  linhas.Add(paciente->FieldByName("CODIGO")->AsString());
  linhas.Add(paciente->FieldByName("RG")->AsString());
  linhas.Add(exame->FieldByName("OLHO")->AsString() == "OD" ? "Olho Direito" : "Olho Esquerdo");
  linhas.Add(FormatDateTime("dd/mm/yyyy", exame->FieldByName("DATA")->AsDateTime()));
  linhas.Add(FormatDateTime("hh:nn:ss", exame->FieldByName("HORA")->AsDateTime()));
  linhas.Add(TDMedicos::GetNomeByCodigo(exame->FieldByName("CODRESP")->AsInteger()));
  const std::string prefixo = std::string(PathsMZ.Exames) + "\\" + exame->FieldByName("CODPACIENTE")->AsString() +
                              "\\" + exame->FieldByName("CODIGO")->AsString();
  const std::string calibracao = PathsMZ.Calibracao;
  // A file that cannot be read ends the export before the dialog, telling which one.
  const auto anexar = [&linhas](const std::string& Arquivo, const char* Erro) {
    linhas.Add("#");
    try {
      if (!FileExists(Arquivo)) throw EFOpenError(Arquivo);
      AnexarArquivoTexto(linhas, Arquivo);
      return true;
    } catch (const std::exception&) {
      Application->MessageBox(std::string(Erro) + "\r\n\r\n" + Arquivo, "Exportação", MB_ICONERROR);
      return false;
    }
  };
  for (const char* a : {"d.txt", "m.txt", "a.txt"})
    if (!anexar(prefixo + a, "Erro ao exportar o exame: arquivo do exame não encontrado.")) return;
  for (const char* a : {"1.txt", "2.txt", "3.txt", "4.txt", "Coef.txt"})
    if (!anexar(calibracao + a, "Erro ao exportar o exame: a calibração do aparelho não foi encontrada. Calibre o "
                                "aparelho e exporte o exame novamente."))
      return;
  EmbaralharExportacao(linhas);
  if (!sdExport->Execute()) return;
  std::string nome = sdExport->FileName;
  if (!SameText(ExtractFileExt(nome), ".exp")) nome += ".exp";
  linhas.SaveToFile(nome);
  if (FileExists(nome))
    Application->MessageBox("Arquivo exportado com sucesso.", "Exportação", MB_ICONINFORMATION);
  else
    Application->MessageBox("Erro ao exportar o exame.", "Exportação", MB_ICONERROR);
}
