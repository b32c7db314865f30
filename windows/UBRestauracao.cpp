#include "windows/UBRestauracao.h"

#include <string>
#include <vector>

#include "core/UBConstantes.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/SysUtils.h"
#include "windows/UBCopiaConferida.h"
#include "windows/UBPontoParada.h"

namespace {

// One file of the swap: where it goes, where it was staged, where its predecessor is kept.
struct TTroca {
  std::string Destino, Novo, Anterior;
};

const char kRestaurando[] = ".restaurando";
const char kAnterior[] = ".anterior";
const char kBak[] = ".bak";

std::string SemBarra(std::string Pasta) {
  while (!Pasta.empty() && Pasta.back() == '\\') Pasta.pop_back();
  return Pasta;
}
std::string Exames() { return SemBarra(PathsMZ.Exames); }
std::string Laudos() { return SemBarra(PathsMZ.Laudos); }
std::string Banco() { return SemBarra(PathsMZ.BancoDados); }
std::string Estado() { return SemBarra(PathsMZ.DirMZ) + "\\BackUp.ini"; }
std::string Lista() { return SemBarra(PathsMZ.DirMZ) + "\\Restauracao.lst"; }
std::string BancoNaMidia(const std::string& Midia) { return Midia + "Banco de Dados"; }

bool Existe(const std::string& Nome) { return GetFileAttributesA(Nome.c_str()) != INVALID_FILE_ATTRIBUTES; }

DWORD Mover(const std::string& De, const std::string& Para) {
  if (const DWORD erro = CriarPasta(Para.substr(0, Para.rfind('\\')))) return erro;
  return MoveFileExA(De.c_str(), Para.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0
                                                                                                     : GetLastError();
}

void RemoverPasta(const std::string& Pasta) {
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((Pasta + "\\*").c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string nome = f.cFileName, caminho = Pasta + "\\" + nome;
      if (nome == "." || nome == "..") continue;
      if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoverPasta(caminho);
      else DeleteFileA(caminho.c_str());
    } while (FindNextFileA(h, &f));
    FindClose(h);
  }
  RemoveDirectoryA(Pasta.c_str());
}

// Everything a restore stages beside the installation, and the database copy's unfinished files.
void RemoverPreparacao() {
  for (const std::string& pasta : {Exames(), Laudos()}) {
    RemoverPasta(pasta + kRestaurando);
    RemoverPasta(pasta + kAnterior);
  }
  WIN32_FIND_DATAA f;
  for (const std::string& padrao : {Banco() + "\\*" + kNovo, Estado() + kNovo}) {
    HANDLE h = FindFirstFileA(padrao.c_str(), &f);
    if (h == INVALID_HANDLE_VALUE) continue;
    const std::string pasta = padrao.substr(0, padrao.rfind('\\') + 1);
    do DeleteFileA((pasta + f.cFileName).c_str());
    while (FindNextFileA(h, &f));
    FindClose(h);
  }
}

// Puts back, last first, what the swap of these files changed: a kept predecessor goes back over its
// file; a file put in place with none before it goes.
void Desfazer(const std::vector<TTroca>& T) {
  for (auto t = T.rbegin(); t != T.rend(); ++t) {
    if (Existe(t->Anterior)) Mover(t->Anterior, t->Destino);
    else if (!Existe(t->Novo)) DeleteFileA(t->Destino.c_str());
  }
}

std::vector<TTroca> Trocas(const std::string& Midia) {
  std::vector<TTroca> trocas;
  for (const std::string& pasta : {Exames(), Laudos()})
    for (const std::string& n : ArquivosDaPasta(pasta + kRestaurando))
      trocas.push_back({pasta + "\\" + n, pasta + kRestaurando + "\\" + n, pasta + kAnterior + "\\" + n});
  for (const std::string& n : ArquivosDaPasta(BancoNaMidia(Midia))) {
    const std::string destino = Banco() + "\\" + n;
    trocas.push_back({destino, destino + kNovo, destino + kBak});
  }
  if (Existe(Estado() + kNovo)) trocas.push_back({Estado(), Estado() + kNovo, Estado() + kBak});
  return trocas;
}

}  // namespace

TBRestauracao::TBRestauracao(const std::string& Midia) : Midia(Midia) { RemoverPreparacao(); }

TBRestauracao::~TBRestauracao() { RemoverPreparacao(); }

bool TBRestauracao::PrepararBanco(std::string& Erro) {
  const std::string origem = BancoNaMidia(Midia);
  const std::vector<std::string> nomes = ArquivosDaPasta(origem);
  DWORD erro = Existe(origem + "\\DATABASE.GDB") ? 0 : ERROR_FILE_NOT_FOUND;
  for (size_t i = 0; i < nomes.size() && !erro; ++i) {
    const std::string destino = Banco() + "\\" + nomes[i] + kNovo;
    erro = CriarPasta(destino.substr(0, destino.rfind('\\')));
    if (!erro) erro = CopiarArquivoConferido(origem + "\\" + nomes[i], destino);
  }
  if (!erro && Existe(Midia + "BackUp.ini")) erro = CopiarArquivoConferido(Midia + "BackUp.ini", Estado() + kNovo);
  if (erro) {
    Erro = SysErrorMessage(erro);
    return false;
  }
  return BancoAnexa(Banco() + "\\DATABASE.GDB" + kNovo, Erro);
}

bool TBRestauracao::ConferirArquivos(std::string& Faltando) {
  std::string erro;
  const bool lido = BancoAnexa(Banco() + "\\DATABASE.GDB" + kNovo, erro, [&](TIBQuery& q) {
    q.SQL().Add("SELECT CODPACIENTE, CODIGO FROM EXAMES WHERE BACKUP <> '' AND BACKUP <> 'INCOMPLETO'");
    for (q.Open(); !q.Eof(); q.Next()) {
      const std::string nome = q.Fields(0)->AsString() + "\\" + q.Fields(1)->AsString();
      for (const char* a : {"d.txt", "m.txt", "a.txt"})
        if (!Existe(PastaExames() + "\\" + nome + a) && !Existe(Exames() + "\\" + nome + a)) {
          Faltando += "\r\n" + nome;
          break;
        }
    }
  });
  if (!lido) Faltando += "\r\n" + erro;
  return Faltando.empty();
}

std::string TBRestauracao::PastaExames() const { return Exames() + kRestaurando; }
std::string TBRestauracao::PastaLaudos() const { return Laudos() + kRestaurando; }

DWORD TBRestauracao::Trocar() {
  const std::vector<TTroca> trocas = Trocas(Midia);
  // A predecessor kept by an earlier restore would be taken for one of this swap.
  for (const TTroca& t : trocas) DeleteFileA(t.Anterior.c_str());
  try {
    TStringList lista;
    for (const TTroca& t : trocas) lista.Add(t.Destino + '\t' + t.Novo + '\t' + t.Anterior);
    lista.SaveToFile(Lista());
  } catch (const std::exception&) {
    return ERROR_WRITE_FAULT;
  }
  if (const DWORD erro = GravarNoDisco(Lista())) return erro;
  PontoDeParada("restauracao-lista");
  DWORD erro = 0;
  for (const TTroca& t : trocas) {
    if (Existe(t.Destino)) erro = Mover(t.Destino, t.Anterior);
    if (!erro) erro = Mover(t.Novo, t.Destino);
    if (erro) break;
    PontoDeParada("restauracao-troca");
  }
  if (erro) Desfazer(trocas);
  DeleteFileA(Lista().c_str());
  PontoDeParada("restauracao-concluida");
  return erro;
}

void DesfazerRestauracaoInterrompida() {
  if (Existe(Lista())) {
    std::vector<TTroca> trocas;
    try {
      TStringList lista;
      lista.LoadFromFile(Lista());
      for (int i = 0; i < lista.Count(); ++i) {
        const std::string& l = lista[i];
        const size_t a = l.find('\t'), b = a == std::string::npos ? a : l.find('\t', a + 1);
        if (b != std::string::npos) trocas.push_back({l.substr(0, a), l.substr(a + 1, b - a - 1), l.substr(b + 1)});
      }
    } catch (const std::exception&) {
      return;  // unreadable now: the next start tries again
    }
    Desfazer(trocas);
    DeleteFileA(Lista().c_str());
  }
  RemoverPreparacao();
}
