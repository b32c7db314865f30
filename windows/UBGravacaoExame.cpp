#include "windows/UBGravacaoExame.h"

#include <windows.h>

#include <cctype>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UDExames.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UBCopiaConferida.h"
#include "windows/UBPontoParada.h"

namespace {

const char* const kArquivos[] = {"d.txt", "m.txt", "a.txt"};

std::string PastaExames() {
  std::string pasta = PathsMZ.Exames;
  while (!pasta.empty() && pasta.back() == '\\') pasta.pop_back();
  return pasta;
}

std::string PastaTemporaria() { return PastaExames() + ".gravando"; }

std::string PastaPaciente(const std::string& Raiz, const std::string& CodPaciente) {
  return Raiz + "\\" + CodPaciente;
}

bool Existe(const std::string& Nome) { return GetFileAttributesA(Nome.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Mover(const std::string& De, const std::string& Para) {
  return MoveFileExA(De.c_str(), Para.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// The names of the entries of Pasta (folders or files), without "." and "..".
std::vector<std::string> Entradas(const std::string& Pasta, bool Pastas) {
  std::vector<std::string> r;
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((Pasta + "\\*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return r;
  do {
    const std::string nome = f.cFileName;
    const bool pasta = (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (nome != "." && nome != ".." && pasta == Pastas) r.push_back(nome);
  } while (FindNextFileA(h, &f));
  FindClose(h);
  return r;
}

// The exam code at the start of a file name ("12d.txt" -> 12); 0 when there is none.
int CodigoDoArquivo(const std::string& Nome) {
  size_t n = 0;
  while (n < Nome.size() && n < 9 && std::isdigit(static_cast<unsigned char>(Nome[n]))) ++n;
  return n ? std::stoi(Nome.substr(0, n)) : 0;
}

}  // namespace

TBGravacaoExame::TBGravacaoExame(int CodPaciente) : CodPaciente(CodPaciente) {
  const std::string pasta = PastaPaciente(PastaTemporaria(), IntToStr(CodPaciente));
  if (!ForceDirectories(pasta)) throw EInOutError("Não foi possível criar a pasta " + pasta);
}

TBGravacaoExame::~TBGravacaoExame() {
  if (Publicado) return;
  for (int codigo : Codigos) {
    const std::string prefixo = PrefixoArquivosExame(Pasta(), CodPaciente, codigo);
    for (const char* a : kArquivos) DeleteFileA((prefixo + a).c_str());
  }
  RemoveDirectoryA(PastaPaciente(Pasta(), IntToStr(CodPaciente)).c_str());
  RemoveDirectoryA(Pasta().c_str());
}

std::string TBGravacaoExame::Pasta() const { return PastaTemporaria(); }

void TBGravacaoExame::Exame(int CodExame) { Codigos.push_back(CodExame); }

void TBGravacaoExame::Preparar() {
  const std::string pasta = PastaPaciente(PastaExames(), IntToStr(CodPaciente));
  if (!ForceDirectories(pasta)) throw EInOutError("Não foi possível criar a pasta " + pasta);
  for (int codigo : Codigos) {
    const std::string temporario = PrefixoArquivosExame(Pasta(), CodPaciente, codigo);
    const std::string definitivo = PrefixoArquivosExame(PastaExames(), CodPaciente, codigo);
    for (const char* a : kArquivos) {
      if (GravarNoDisco(temporario + a)) throw EInOutError("Não foi possível gravar " + temporario + a);
      // A code is issued once: a file under its name is a leftover of nobody's.
      DeleteFileA((definitivo + a).c_str());
      if (Existe(definitivo + a)) throw EInOutError("Não foi possível gravar " + definitivo + a);
    }
  }
}

void TBGravacaoExame::Publicar() {
  Publicado = true;
  for (int codigo : Codigos) {
    const std::string temporario = PrefixoArquivosExame(Pasta(), CodPaciente, codigo);
    const std::string definitivo = PrefixoArquivosExame(PastaExames(), CodPaciente, codigo);
    for (const char* a : kArquivos) {
      Mover(temporario + a, definitivo + a);
      PontoDeParada("publicado-um");
    }
  }
  RemoveDirectoryA(PastaPaciente(Pasta(), IntToStr(CodPaciente)).c_str());
  RemoveDirectoryA(Pasta().c_str());
}

void ConcluirGravacoesInterrompidas() {
  const std::string raiz = PastaTemporaria();
  if (!DirectoryExists(raiz)) return;
  for (const std::string& paciente : Entradas(raiz, true)) {
    const std::string origem = PastaPaciente(raiz, paciente), destino = PastaPaciente(PastaExames(), paciente);
    for (const std::string& arquivo : Entradas(origem, false)) {
      const int codigo = CodigoDoArquivo(arquivo);
      bool linha = false;
      try {
        linha = codigo > 0 && TDExames::ExisteExame(codigo);
      } catch (const std::exception&) {
        continue;  // the database cannot tell: the next start decides
      }
      if (!linha) DeleteFileA((origem + "\\" + arquivo).c_str());
      else if (ForceDirectories(destino)) Mover(origem + "\\" + arquivo, destino + "\\" + arquivo);
    }
    RemoveDirectoryA(origem.c_str());
  }
  RemoveDirectoryA(raiz.c_str());
}
