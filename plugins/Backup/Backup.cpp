// Backup module stand-in: the backup medium is a folder that stands for the removable drive (PASTA
// in the [MIDIA] section of "MidiaBackup.ini" beside the module; by default the folder "Midia" of
// the installation). Exams and reports are copied under "Exames" and "Laudos" of the medium, each
// copy read back and compared; restoring copies them back. Nothing in the program's folders is
// ever deleted. AUTOMATICO=1 in the same section keeps the module from asking or showing messages.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "core/UBModuleInterface.h"
#include "plugins/common/ModuloStream.h"
#include "plugins/common/ModuloWin32.h"
#include "plugins/common/TextosModulo.h"

namespace {

const char kTitulo[] = "Backup";

std::string IniMidia() { return PastaDoModulo() + "MidiaBackup.ini"; }

bool Automatico() { return GetPrivateProfileIntA("MIDIA", "AUTOMATICO", 0, IniMidia().c_str()) == 1; }

std::string ComBarra(std::string p) {
  if (!p.empty() && p.back() != '\\') p += '\\';
  return p;
}

// The medium's folder, with a trailing backslash.
std::string Midia() {
  char pasta[MAX_PATH] = {};
  GetPrivateProfileStringA("MIDIA", "PASTA", "", pasta, MAX_PATH, IniMidia().c_str());
  if (pasta[0]) return ComBarra(pasta);
  std::string modulo = PastaDoModulo();  // ...\Modulos\ .
  modulo.pop_back();
  return modulo.substr(0, modulo.find_last_of('\\') + 1) + "Midia\\";
}

std::string EstadoMidia() { return Midia() + "Backup.txt"; }

// Creates every missing folder of a path that ends in a backslash or a file name.
void CriarPastas(const std::string& caminho) {
  for (size_t i = caminho.find('\\', 3); i != std::string::npos; i = caminho.find('\\', i + 1))
    CreateDirectoryA(caminho.substr(0, i).c_str(), nullptr);
}

bool Existe(const std::string& arquivo) {
  const DWORD a = GetFileAttributesA(arquivo.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Copies one file and reads both back: true only when the copy holds the same bytes.
bool CopiarConferindo(const std::string& origem, const std::string& destino) {
  CriarPastas(destino);
  if (!CopyFileA(origem.c_str(), destino.c_str(), FALSE)) return false;
  std::string a, b;
  return LerArquivo(origem, a) && LerArquivo(destino, b) && a == b;
}

std::string Hoje() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char s[16];
  wsprintfA(s, "%02d/%02d/%04d", t.wDay, t.wMonth, t.wYear);
  return s;
}

// Files below a folder, as names relative to it ("0001\0005a.txt").
void Listar(const std::string& pasta, const std::string& relativo, std::vector<std::string>& nomes) {
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((pasta + relativo + "*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string nome = f.cFileName;
    if (nome == "." || nome == "..") continue;
    if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      Listar(pasta, relativo + nome + "\\", nomes);
    else
      nomes.push_back(relativo + nome);
  } while (FindNextFileA(h, &f));
  FindClose(h);
}

// The result of one item: the date of the backup when every file was copied and checked;
// "INCOMPLETO" when a file of the item was missing at the source (the others were copied);
// empty, so that the item stays pending, when a copy failed.
enum class Resultado { Ok, Faltando, Falha };

struct Copia {
  Copia(std::string origem, std::string destino) : origem(std::move(origem)), destino(std::move(destino)) {}
  std::string origem, destino;  // folders with a trailing backslash
  std::vector<std::string> faltando;
  int copiados = 0;

  Resultado Item(const std::vector<std::string>& nomes) {
    Resultado r = Resultado::Ok;
    for (const std::string& n : nomes) {
      if (!Existe(origem + n)) {
        faltando.push_back(n);
        if (r == Resultado::Ok) r = Resultado::Faltando;
      } else if (CopiarConferindo(origem + n, destino + n)) {
        ++copiados;
      } else {
        r = Resultado::Falha;
      }
    }
    return r;
  }
};

std::string Linha(Resultado r, const std::string& data) {
  return r == Resultado::Ok ? data : r == Resultado::Faltando ? "INCOMPLETO" : "";
}

void Mensagem(HWND dono, const std::string& texto, UINT icone) {
  if (!Automatico()) MessageBoxA(dono, texto.c_str(), kTitulo, MB_OK | icone);
}

}  // namespace

// Details for the backup window; the sixth line holds the date of the last backup from its 26th
// character on ("01/01/2000" when the medium has none yet). Returns the medium's drive letter.
extern "C" MZAPI char InfoBackup(HWND__*, TMZStream* saida, int32_t) {
  const std::string midia = Midia();
  char data[16] = {};
  GetPrivateProfileStringA("BACKUP", "DATA", "01/01/2000", data, sizeof data, EstadoMidia().c_str());
  std::vector<std::string> exames, laudos;
  Listar(midia + "Exames\\", "", exames);
  Listar(midia + "Laudos\\", "", laudos);
  ULARGE_INTEGER livre{};
  GetDiskFreeSpaceExA(midia.substr(0, 3).c_str(), &livre, nullptr, nullptr);
  EscreverLinhas(saida, {"Módulo de backup em pasta (simulador)", "Mídia: " + midia,
                         "Arquivos de exames na mídia: " + std::to_string(exames.size()),
                         "Arquivos de laudos na mídia: " + std::to_string(laudos.size()),
                         "Espaço livre: " + std::to_string(livre.QuadPart / (1024 * 1024)) + " MB",
                         std::string("Data do último backup:   ") + data});
  const char letra = midia.size() > 1 && midia[1] == ':' ? midia[0] : 'C';
  return char(letra >= 'a' && letra <= 'z' ? letra - 'a' + 'A' : letra);
}

// Copies the listed exam files (relative to DirExames) and report files (relative to DirLaudos) to
// the medium; one result line per exam and per report, in list order. -1 when the medium cannot be
// written.
extern "C" MZAPI int32_t CriarBackup(HWND__* handle, TMZStream* exames, TMZStream* resultadoExames,
                                     TMZStream* laudos, TMZStream* resultadoLaudos, int32_t, const char* dirExames,
                                     const char* dirLaudos) {
  const HWND dono = reinterpret_cast<HWND>(handle);
  const std::string midia = Midia();
  CriarPastas(midia);
  if (!WritePrivateProfileStringA("BACKUP", "INICIO", Hoje().c_str(), EstadoMidia().c_str())) {
    Mensagem(dono, "Não foi possível gravar na mídia de backup: " + midia, MB_ICONERROR);
    return -1;
  }
  const std::string data = Hoje();
  Copia ce{ComBarra(dirExames ? dirExames : ""), midia + "Exames\\"};
  std::vector<std::string> linhas;
  for (const auto& item : ItensExames(LerLinhas(exames))) linhas.push_back(Linha(ce.Item(item), data));
  EscreverLinhas(resultadoExames, linhas);

  Copia cl{ComBarra(dirLaudos ? dirLaudos : ""), midia + "Laudos\\"};
  linhas.clear();
  for (const std::string& n : LerLinhas(laudos))
    if (!n.empty()) linhas.push_back(Linha(cl.Item({n}), data));
  EscreverLinhas(resultadoLaudos, linhas);

  WritePrivateProfileStringA("BACKUP", "DATA", data.c_str(), EstadoMidia().c_str());
  const size_t faltando = ce.faltando.size() + cl.faltando.size();
  if (faltando > 0)
    Mensagem(dono, std::to_string(faltando) + " arquivo(s) não encontrado(s) no disco; veja os itens marcados INCOMPLETO.",
             MB_ICONWARNING);
  return ce.copiados + cl.copiados;
}

// Copies every exam and report file of the medium back into the program's folders (overwriting
// them); -1 when the medium holds no backup.
extern "C" MZAPI int32_t RestaurarBackup(HWND__* handle, const char* dirExames, const char* dirLaudos) {
  const std::string midia = Midia();
  if (!Existe(EstadoMidia())) {
    Mensagem(reinterpret_cast<HWND>(handle), "Nenhum backup encontrado na mídia: " + midia, MB_ICONINFORMATION);
    return -1;
  }
  int copiados = 0;
  for (const auto& [de, para] : {std::pair{midia + "Exames\\", ComBarra(dirExames ? dirExames : "")},
                                 std::pair{midia + "Laudos\\", ComBarra(dirLaudos ? dirLaudos : "")}}) {
    std::vector<std::string> nomes;
    Listar(de, "", nomes);
    for (const std::string& n : nomes) copiados += CopiarConferindo(de + n, para + n) ? 1 : 0;
  }
  return copiados;
}
