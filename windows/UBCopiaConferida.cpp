#include "windows/UBCopiaConferida.h"

#include <memory>

#include "core/UfrmDataModule.h"
#include "toolkit/db/IBDatabase.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/FileUtils.h"

const char kNovo[] = ".novo";

namespace {

bool Temporario(const std::string& Nome) {
  const size_t n = sizeof kNovo - 1;
  return Nome.size() >= n && Nome.compare(Nome.size() - n, n, kNovo) == 0;
}

std::string ComBarra(const std::string& Pasta) {
  return !Pasta.empty() && Pasta.back() == '\\' ? Pasta : Pasta + "\\";
}

void Listar(const std::string& Pasta, const std::string& Relativo, std::vector<std::string>& Nomes) {
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((Pasta + Relativo + "*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string nome = f.cFileName;
    if (nome == "." || nome == "..") continue;
    if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Listar(Pasta, Relativo + nome + "\\", Nomes);
    else if (!Temporario(nome)) Nomes.push_back(Relativo + nome);
  } while (FindNextFileA(h, &f));
  FindClose(h);
}

struct TFecharArquivo {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using TArquivo = std::unique_ptr<void, TFecharArquivo>;

TArquivo Abrir(const std::string& Nome, DWORD Acesso = GENERIC_READ) {
  HANDLE h = CreateFileA(Nome.c_str(), Acesso, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  return TArquivo(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// 0 when both files hold the same bytes.
DWORD Comparar(const std::string& A, const std::string& B) {
  const TArquivo a = Abrir(A), b = Abrir(B);
  if (!a || !b) return GetLastError();
  std::vector<char> da(1 << 16), db(1 << 16);
  for (;;) {
    DWORD na = 0, nb = 0;
    if (!ReadFile(a.get(), da.data(), DWORD(da.size()), &na, nullptr) ||
        !ReadFile(b.get(), db.data(), DWORD(db.size()), &nb, nullptr))
      return GetLastError();
    if (na != nb || !std::equal(da.begin(), da.begin() + na, db.begin())) return ERROR_WRITE_FAULT;
    if (na == 0) return 0;
  }
}

}  // namespace

std::vector<std::string> ArquivosDaPasta(const std::string& Pasta) {
  std::vector<std::string> nomes;
  Listar(ComBarra(Pasta), "", nomes);
  return nomes;
}

DWORD CopiarArquivoConferido(const std::string& Origem, const std::string& Destino) {
  if (!CopyFileA(Origem.c_str(), Destino.c_str(), FALSE)) return GetLastError();
  if (const DWORD erro = Comparar(Origem, Destino)) return erro;
  return GravarNoDisco(Destino);
}

DWORD CriarPasta(const std::string& Pasta) {
  if (ForceDirectories(Pasta)) return 0;
  return GetLastError() ? GetLastError() : ERROR_PATH_NOT_FOUND;
}

DWORD GravarNoDisco(const std::string& Arquivo) {
  const TArquivo a = Abrir(Arquivo, GENERIC_WRITE);
  return a && FlushFileBuffers(a.get()) ? 0 : GetLastError();
}

DWORD TrocarPeloNovo(const std::string& Arquivo) {
  const bool trocado = MoveFileExA((Arquivo + kNovo).c_str(), Arquivo.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  return trocado ? 0 : GetLastError();
}

DWORD CopiarPastaConferida(const std::string& Origem, const std::string& Destino) {
  if (!DirectoryExists(Origem)) return ERROR_PATH_NOT_FOUND;
  for (const std::string& nome : ArquivosDaPasta(Origem)) {
    const std::string destino = ComBarra(Destino) + nome;
    const std::string pasta = destino.substr(0, destino.rfind('\\'));
    if (const DWORD erro = CriarPasta(pasta)) return erro;
    if (const DWORD erro = CopiarArquivoConferido(ComBarra(Origem) + nome, destino)) return erro;
  }
  return 0;
}

bool BancoAnexa(const std::string& Arquivo, std::string& Erro, const std::function<void(TIBQuery&)>& Alterar) {
  try {
    TIBDatabase banco(nullptr);
    banco.SetDatabaseName(Arquivo);
    banco.Params().Assign(&DMPrincipal->IBDatabase->Params());
    banco.SetLoginPrompt(false);
    banco.Open();
    if (Alterar) {
      TIBTransaction transacao(nullptr);
      transacao.SetDefaultDatabase(&banco);
      TIBQuery q(nullptr);
      q.SetDatabase(&banco);
      q.SetTransaction(&transacao);
      Alterar(q);
      q.Close();
      if (transacao.InTransaction()) transacao.Commit();
    }
    banco.Close();
    return true;
  } catch (const std::exception& e) {
    Erro = *e.what() ? e.what() : "O banco de dados não abre: " + Arquivo;
    return false;
  }
}
