#pragma once
// Shared by the settings tests: Application for the test binary, the message log, and a settings file
// written line by line.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/UBIniSettings.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Forms.h"

class TSettingsEnvironment : public testing::Environment {
 public:
  void SetUp() override { InitControls(); }
  void TearDown() override { DoneControls(); }
};
inline testing::Environment* const SettingsEnvironment =
    testing::AddGlobalTestEnvironment(new TSettingsEnvironment);

struct TLoggedMessage {
  std::string Text, Caption;
  UINT Flags;  // buttons and icon
  bool operator==(const TLoggedMessage&) const = default;
};

// Logs every message box shown while it lives (each answered with its default button).
class TMessageLog {
 public:
  std::vector<TLoggedMessage> Messages() const {
    std::vector<TLoggedMessage> messages;
    for (const TDialogScript::Entry& e : script.Log())
      if (e.Kind == "MessageBox") messages.push_back({e.Text, e.Caption, e.Buttons | e.Icon});
    return messages;
  }
  void Clear() { script.ClearLog(); }

 private:
  TDialogScript script;
};

struct TIniLine {
  std::string Section, Key, Value;
};

// A settings file that holds every key with a sound value.
inline std::vector<TIniLine> GoodSettings() {
  return {
      {"MZ", "Versao", "3.1"},
      {"MZ", "Data", "01/02/2020"},
      {"MZ", "Tipo", "1"},
      {"MZ", "TipoCone", "4"},
      {"MZ", "FatorCorrecao", "1.025"},
      {"MZ", "Z0", "75.5"},
      {"DIRETORIOS", "DIRMZ", "C:\\MZ3100"},
      {"DIRETORIOS", "EXAMES", "C:\\MZ3100\\Exames"},
      {"DIRETORIOS", "BANCODADOS", "C:\\MZ3100\\Dados"},
      {"DIRETORIOS", "EXEMPLOS", "C:\\MZ3100\\Exemplos"},
      {"DIRETORIOS", "LAUDOS", "C:\\MZ3100\\Laudos"},
      {"MODULOS", "DIGITALIZACAO", "C:\\MZ3100\\Modulos\\Captura.dll"},
      {"MODULOS", "DIGITALIZACAO_ORTO", "C:\\MZ3100\\Modulos\\CapturaOrto.dll"},
      {"MODULOS", "PROCESSAMENTO", "C:\\MZ3100\\Modulos\\Processa.dll"},
      {"MODULOS", "PROCESSAMENTO_ORTO", "C:\\MZ3100\\Modulos\\ProcessaOrto.dll"},
      {"MODULOS", "DIRMAPAS", "C:\\MZ3100\\Mapas"},
      {"MODULOS", "ULTIMACALIB", "03/04/2021 10:20:30"},
      {"MODULOS", "AUTO", "0"},
      {"BACKUP", "MODULO", "C:\\MZ3100\\Modulos\\Backup.dll"},
      {"BACKUP", "AUTO", "2"},
      {"BACKUP", "AUTO_OP1_1", "15"},
      {"BACKUP", "AUTO_OP1_2", "1"},
      {"BACKUP", "AUTO_OP2", "300"},
      {"OPCOES", "DICAS", "0"},
      {"OPCOES", "SalvarImagemCaptura", "1"},
      {"OPCOES", "sImagemCentral", "1"},
      {"OPCOES", "sImagemLateral", "0"},
      {"OPCOES", "MapaPadraoNovoExame", "Tangencial"},
      {"OPCOES", "TreeViewNodes", "1;0;1"},
      {"OPCOES", "AUTOINCMAP", "1"},
      {"OPCOES", "INCMAP", "0.5"},
      {"OPCOES", "AUTOANEIS", "0"},
      {"OPCOES", "AUTOMINIMAPA", "0"},
      {"OPCOES", "AUTOEXAME", "0"},
      {"OPCOES", "INDICECONF", "7"},
      {"CLINICA", "NOME", "Clínica São João"},
      {"CLINICA", "ENDERECO", "Rua das Acácias, 12"},
      {"CLINICA", "CidadeEst", "Ribeirão Preto - SP"},
      {"CLINICA", "TELEFONE", "(16) 3333-4444"},
      {"CLINICA", "OPT1", "1"},
      {"CLINICA", "OPT2", "0"},
      {"CLINICA", "OPT3", "1"},
      {"CAMERA", "BRILHO", "120"},
      {"CAMERA", "CONTRASTE", "64"},
      {"CAMERA", "CAMERACENTRAL", "0"},
      {"CAMERA", "CAMERALATERAL", "1"},
      {"CAMERA", "CONECTORCENTRAL", "S-Video"},
      {"CAMERA", "CONECTORLATERALD", "Composto 1"},
      {"CAMERA", "CONECTORLATERALS", "Composto 2"},
      {"SERIAL", "COM", "COM3"},
      {"CLINICA", "MEDICOATIVO", "Dr. José"},
      {"CLINICA", "PACIENTEATIVO", "Maria Antônia"},
      {"OPCOES", "TIPOCERATOMETRIA", "Sim-K"},
      {"OPCOES", "QualidadeImagem", "85"},
      {"OPCOES", "IDIOMA", "Português"},
      {"OPCOES", "TVLCENTRAL", "12"},
      {"OPCOES", "TINCREMENTO", "3"},
      {"OPCOES", "AUTOPCAPTURA", "1"},
      {"OPCOES", "DELAYAUTOPCAPTURA", "750"},
      {"OPCOES", "PASSOMOTORX", "0.01"},
      {"OPCOES", "PASSOMOTORY", "0.02"},
      {"OPCOES", "TIPOCALIBRADOR", "2"},
      {"OPCOES", "EXIBIRINDICEMAPA", "0"},
      {"MAPA", "EXIBEGRADE", "0"},
      {"MAPA", "EXIBECERATOMETRIAPONTUAL", "1"},
      {"MAPA", "CORCERATOMETRIAPONTUAL", "Vermelha"},
  };
}

// Writes the lines as an ini file, grouping keys under their sections in first-seen order.
inline void WriteIni(const std::string& Path, const std::vector<TIniLine>& Lines) {
  std::vector<std::string> sections;
  for (const TIniLine& l : Lines)
    if (std::find(sections.begin(), sections.end(), l.Section) == sections.end()) sections.push_back(l.Section);
  std::string text;
  for (const std::string& s : sections) {
    text += "[" + s + "]\r\n";
    for (const TIniLine& l : Lines)
      if (l.Section == s) text += l.Key + "=" + l.Value + "\r\n";
  }
  HANDLE f = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, Path.c_str());  // drop any cached copy
}

inline std::string ReadFileBytes(const std::string& Path) {
  std::string bytes;
  HANDLE f = CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
  CloseHandle(f);
  return bytes;
}
