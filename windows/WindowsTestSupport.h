#pragma once
// Shared by the windows' tests: Application for the test binary, a test installation in a fresh
// folder (the settings file beside the running binary, as the program keeps it), copies of the
// stand-in modules, a database made from the schema, and steps run inside a modal loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>
#include <memory>
#include <sstream>
#include <string>

#include "core/UfrmDataModule.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Timer.h"
#include "widgets/Bitmap32_System.h"

namespace windowstest {

class WindowsEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    InitControls();
    InitBitmap32System();
    Application->Initialize();
    // Not the program's own title, which marks a running copy; it names the same settings file.
    Application->SetTitle("MZ3100 testes");
  }
  void TearDown() override {
    DoneBitmap32System();
    DoneControls();
  }
};
inline testing::Environment* const Ambiente = testing::AddGlobalTestEnvironment(new WindowsEnvironment);

// A path of the Unix side as the program names it under Wine.
inline std::string CaminhoWindows(const std::filesystem::path& p) {
  std::string s = "Z:" + p.string();
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

// The folder of the running test binary (where the program looks for its settings).
inline std::filesystem::path PastaDoPrograma() {
  char nome[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, nome, MAX_PATH);
  std::string s = nome;
  if (s.size() > 2 && s[1] == ':') s = s.substr(2);  // "Z:" is the Unix root
  for (char& c : s)
    if (c == '\\') c = '/';
  return std::filesystem::path(s).parent_path();
}

// UTF-8 text as the program's Windows-1252.
inline std::string Cp1252(const std::string& Utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), int(Utf8.size()), nullptr, 0);
  std::u16string w(size_t(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), int(Utf8.size()), w.data(), n);
  const int m = WideCharToMultiByte(1252, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(size_t(m), '\0');
  WideCharToMultiByte(1252, 0, w.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

// A fresh installation under the build tree: the program's settings template pointed at it, its
// folders, copies of the stand-in modules with their unattended settings and, unless asked not to,
// its database. The settings file goes beside the running binary, or beside a copy of the program.
class TInstalacaoTeste {
 public:
  struct TOpcoes {
    bool BancoDeDados = true;
    // Modules copied into "Modulos" and map modules into "Mapas" (built names, without ".dll").
    std::vector<const char*> Modulos = {"Captura", "Processamento", "CapturaOrto", "ProcessamentoOrto",
                                                   "Backup"};
    std::vector<const char*> Mapas = {"Axial", "Tangencial", "MultiMapas"};
  };

  explicit TInstalacaoTeste(const std::string& Nome) : TInstalacaoTeste(Nome, TOpcoes()) {}
  TInstalacaoTeste(const std::string& Nome, const TOpcoes& Opcoes)
      : raiz_(std::filesystem::path(std::getenv("MZ_BINARY_DIR")) / "windows-tests" / Nome /
              std::to_string(GetCurrentProcessId())) {
    std::filesystem::remove_all(raiz_);
    for (const char* pasta : {"Exames", "BancoDados", "Exemplos", "Laudos", "Modulos", "Mapas"})
      std::filesystem::create_directories(raiz_ / pasta);
    CreateDirectoryA((CaminhoWindows(raiz_) + "\\Calibração").c_str(), nullptr);
    for (const char* m : Opcoes.Modulos) CopiarModulo(m, raiz_ / "Modulos" / (std::string(m) + ".dll"));
    for (const char* m : Opcoes.Mapas) CopiarModulo(m, raiz_ / "Mapas" / (std::string(m) + ".dll"));
    std::ofstream(raiz_ / "Modulos" / "Captura.ini", std::ios::binary) << "[CAPTURA]\r\nAUTOMATICO=1\r\nMODELO=1\r\n";
    std::ofstream(raiz_ / "Mapas" / "Mapas.ini", std::ios::binary) << "[MAPAS]\r\nAUTOMATICO=1\r\n";
    EscreverConfiguracao(PastaDoPrograma());
    if (Opcoes.BancoDeDados) TDMPrincipal::PCreateDataBase(Banco());
  }
  ~TInstalacaoTeste() {
    std::error_code e;
    std::filesystem::remove(PastaDoPrograma() / "MZ3100.ini", e);
    std::filesystem::remove_all(raiz_, e);
  }
  TInstalacaoTeste(const TInstalacaoTeste&) = delete;
  TInstalacaoTeste& operator=(const TInstalacaoTeste&) = delete;

  const std::filesystem::path& Raiz() const { return raiz_; }
  std::filesystem::path Pasta(const std::string& Nome) const { return raiz_ / Nome; }
  // The database file as the program names it.
  std::string Banco() const { return CaminhoWindows(raiz_ / "BancoDados" / "DATABASE.GDB"); }
  std::filesystem::path Configuracao() const { return PastaDoPrograma() / "MZ3100.ini"; }

  // Writes the settings file (from the program's template) into Folder.
  void EscreverConfiguracao(const std::filesystem::path& Folder) const {
    std::ifstream modelo(MZ_INI_TEMPLATE, std::ios::binary);
    std::stringstream texto;
    texto << modelo.rdbuf();
    std::string ini = texto.str();
    const std::string dir = CaminhoWindows(raiz_);
    for (size_t p; (p = ini.find("@MZ_DIR@")) != std::string::npos;) ini.replace(p, 8, dir);
    std::string crlf;
    for (char c : ini) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::ofstream(Folder / "MZ3100.ini", std::ios::binary) << Cp1252(crlf);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, CaminhoWindows(Folder / "MZ3100.ini").c_str());
  }

  // A copy of the program with its settings and the cone-data library beside it; returns its path.
  std::filesystem::path CopiarPrograma() const {
    std::filesystem::copy_file(MZ_PROGRAM_FILE, raiz_ / "MZ3100.exe.so",
                               std::filesystem::copy_options::overwrite_existing);
    CopiarModulo("Kelvanor", raiz_ / "Kelvanor.dll");
    EscreverConfiguracao(raiz_);
    return raiz_ / "MZ3100.exe.so";
  }

  static void CopiarModulo(const std::string& Modulo, const std::filesystem::path& Destino) {
    std::filesystem::copy_file(std::filesystem::path(MZ_PLUGINS_OUT) / (Modulo + ".dll.so"), Destino,
                               std::filesystem::copy_options::overwrite_existing);
  }

 private:
  std::filesystem::path raiz_;
};

// Runs Step once from a timer of the message loop: inside the modal loop of a window shown next. With
// Ready, the timer waits until Ready() holds: a window that opens only after another has closed.
class TPassoModal {
 public:
  explicit TPassoModal(std::function<void()> Step, unsigned Interval = 20, std::function<bool()> Ready = nullptr)
      : step_(std::move(Step)), ready_(std::move(Ready)) {
    timer_->SetInterval(Interval);
    timer_->OnTimer = [this](TObject*) {
      if (ready_ && !ready_()) return;
      timer_->SetEnabled(false);
      step_();
    };
    timer_->SetEnabled(true);
  }
  TPassoModal(const TPassoModal&) = delete;
  TPassoModal& operator=(const TPassoModal&) = delete;
  ~TPassoModal() { timer_->Free(); }

 private:
  std::function<void()> step_;
  std::function<bool()> ready_;
  TTimer* timer_ = new TTimer(nullptr);
};

// Handles the pending messages until Done is true or Ms milliseconds have passed; Done's last answer.
inline bool EsperarAte(const std::function<bool()>& Done, DWORD Ms = 30000) {
  const DWORD fim = GetTickCount() + Ms;
  while (!Done()) {
    if (static_cast<LONG>(fim - GetTickCount()) <= 0) return Done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application->ProcessMessages();
  }
  return true;
}

// A click of the mouse on a push button (nothing when it is disabled).
inline void Clicar(TWinControl* Button) {
  SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
  Application->ProcessMessages();
}

// The pointer moved to a point of the screen, and a press and release of the left button at the middle
// of a window: input as the user's hand gives it, which reaches only what a real hand would reach.
inline void MoverMouse(int X, int Y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = X * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = Y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

// Puts the pointer back where it was: tests of the same display that come later find it where they expect.
class TPonteiroDeVolta {
 public:
  TPonteiroDeVolta() { GetCursorPos(&antes_); }
  ~TPonteiroDeVolta() { MoverMouse(antes_.x, antes_.y); }
  TPonteiroDeVolta(const TPonteiroDeVolta&) = delete;
  TPonteiroDeVolta& operator=(const TPonteiroDeVolta&) = delete;

 private:
  POINT antes_{};
};

inline void ClicarComMouse(HWND Janela) {
  RECT r;
  GetWindowRect(Janela, &r);
  MoverMouse((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT in[2] = {};
  for (INPUT& i : in) i.type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

// Types Text (Windows-1252) into a control, one character at a time.
inline void Digitar(TWinControl* Control, const std::string& Text) {
  for (char ch : Text) SendMessageA(Control->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
  Application->ProcessMessages();
}

}  // namespace windowstest
