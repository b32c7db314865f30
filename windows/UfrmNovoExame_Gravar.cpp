// Step 4 of the wizard: the exam rows, the map data files and the pictures of one eye, all or nothing;
// then the patient's last exam and count, and the browser on this patient and doctor.
#include <cmath>
#include <string>
#include <vector>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBJpeg.h"
#include "core/UDArquivos.h"
#include "core/UDExames.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/FileUtils.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmNovoExame.h"

namespace {

const char* const kArquivos[] = {"d.txt", "m.txt", "a.txt"};

// What one save made, undone unless the save is kept: rows (with their pictures and
// orthokeratology values) and files.
class TDesfazer {
 public:
  explicit TDesfazer(int CodPaciente) : CodPaciente(CodPaciente) {}
  TDesfazer(const TDesfazer&) = delete;
  TDesfazer& operator=(const TDesfazer&) = delete;
  ~TDesfazer() {
    if (Manter) return;
    for (int codigo : Codigos) {
      const std::string prefixo = PrefixoArquivosExame(PathsMZ.Exames, CodPaciente, codigo);
      for (const char* a : kArquivos) DeleteFileA((prefixo + a).c_str());
      try {
        TDExames::DeleteExamesByCodigo(codigo);
      } catch (const std::exception&) {
        // The database refuses even this: nothing more can be undone.
      }
    }
    if (!Codigos.empty()) RemoveDirectoryA(PastaPaciente(CodPaciente).c_str());
  }
  void Exame(int Codigo) { Codigos.push_back(Codigo); }
  bool Manter = false;

  static std::string PastaPaciente(int CodPaciente) { return std::string(PathsMZ.Exames) + "\\" + IntToStr(CodPaciente); }

 private:
  int CodPaciente;
  std::vector<int> Codigos;
};

void CriarPastaPaciente(int CodPaciente) {
  const std::string pasta = TDesfazer::PastaPaciente(CodPaciente);
  if (!ForceDirectories(pasta)) throw EInOutError("Não foi possível criar a pasta " + pasta);
}

// A time of the whole second: the exam list's caption finds the exam by it.
TDateTime HoraInteira(TDateTime Agora) {
  Word h, m, s, ms;
  DecodeTime(Agora, h, m, s, ms);
  return EncodeTime(h, m, s, 0);
}

std::string UltimoExame(const std::string& Olho, TDateTime Data, TDateTime Hora) {
  return Olho + " " + FormatDateTime("dd/mm/yyyy", Data) + " " + FormatDateTime("hh:nn:ss", Hora);
}

// The value as stored: rounded to four decimals.
double QuatroCasas(double Valor) { return std::round(Valor * 10000.0) / 10000.0; }

// Hides the wait window however the save ends.
struct TAguarde {
  TAguarde() {
    if (frmAguarde) frmAguarde->Show();
  }
  ~TAguarde() {
    if (frmAguarde) frmAguarde->Hide();
  }
};

// The JPEG of a captured picture, or nothing when its option is off.
void Jpeg(bool Gravar, TMemoryStream* Bmp, TMemoryStream& Saida) {
  if (!Gravar || !Bmp) return;
  Bmp->SetPosition(0);
  TBJpeg().BitmapToJpeg(Bmp, uint8_t(InfosMZ.QualidadeImagem > 255 ? 255 : InfosMZ.QualidadeImagem))->SaveToStream(&Saida);
  Saida.SetPosition(0);
}

}  // namespace

int TfrmNovoExame::CodigoMedico() const {
  TIBQuery* q = DMPrincipal->IBQueryMedicos;
  q->Close();
  q->SQL().Clear();
  q->SQL().Add("SELECT * FROM Medicos WHERE Nome=:NomeMedico");
  q->ParamByName("NomeMedico").SetAsString(ComboMedicos->Text());
  q->Open();
  const int codigo = q->IsEmpty() ? 0 : q->FieldByName("CODIGO")->AsInteger();
  q->Close();
  return codigo;
}

bool TfrmNovoExame::GravarExame(int Olho) {
  TOlho& o = OlhoDe(Olho);
  bool gravado = false;
  {
    TAguarde aguarde;
    const std::string olho = Olho == 1 ? "OD" : "OS";
    const std::string diag = o.Diagnostico->Text(), obs = o.Observacoes->Text();
    o.Diagnostico->SetEnabled(false);
    o.Observacoes->SetEnabled(false);
    const TDateTime agora = Now();
    const TDateTime data = DateOf(agora), hora = HoraInteira(agora);
    TDesfazer desfazer(CodPaciente);
    try {
      const int codMedico = CodigoMedico();
      const int codigo = TDExames::InsertExames(CodPaciente, codMedico, data, hora, olho, o.IndConf, "T", "", diag, obs,
                                                InfosMZ.NumAneis, InfosMZ.TipoCone ? InfosMZ.TipoCone : "");
      desfazer.Exame(codigo);
      CriarPastaPaciente(CodPaciente);
      GravarArquivoD(CodPaciente, codigo, *o.MatrizD);
      GravarArquivoM(CodPaciente, codigo, *o.MatrizM);
      GravarArquivoA(CodPaciente, codigo, o.AneisPorMeridiano, o.CentroX, o.CentroY, o.Pupila);
      try {
        TMemoryStream central, lateral;
        Jpeg(InfosMZ.SImagemCentral, o.Central.get(), central);
        Jpeg(InfosMZ.SImagemLateral, o.Lateral.get(), lateral);
        TDArquivos::InsertArquivos(codigo, &central, &lateral);
      } catch (const std::exception&) {
        Application->MessageBox("Não Foi possivel salvar as imagens", "Informação", MB_ICONEXCLAMATION);
      }
      TDPacientes::UpdateExamesPacientesByCodigo(CodPaciente, UltimoExame(olho, data, hora),
                                                 TDExames::CountExamesByCodPaciente(CodPaciente));
      desfazer.Manter = true;
      gravado = true;
    } catch (const std::exception&) {
      // Nothing of this save is kept (the undo runs before the message).
    }
  }
  if (gravado) {
    AposGravar();
    Application->MessageBox("Exame gravado com sucesso", "Informação", MB_ICONINFORMATION);
  } else {
    Application->MessageBox("Não foi possivel salvar o exame, verifique se o disco rigido\restá cheio ou entre em "
                            "contato com a nossa assistência técnica.",
                            "Informação", MB_ICONEXCLAMATION);
  }
  EncolherAposGravar();
  return gravado;
}

bool TfrmNovoExame::GravarExameOrto(int Olho) {
  TOlho& o = OlhoDe(Olho);
  {
    TAguarde aguarde;
    TStringList valores, linhasD, linhasM;
    for (auto [s, l] : {std::pair{o.SaidaValores.get(), &valores}, {o.SaidaD.get(), &linhasD}, {o.SaidaM.get(), &linhasM}}) {
      s->SetPosition(0);
      l->LoadFromStream(s);
    }
    if (valores.Count() < 15) throw EConvertError("Valores de ortoceratologia incompletos");
    const std::string olho = Olho == 1 ? "OD" : "OS";
    const std::string diag = o.Diagnostico->Text(), obs = o.Observacoes->Text();
    o.Diagnostico->SetEnabled(false);
    o.Observacoes->SetEnabled(false);
    const int codMedico = CodigoMedico();
    TDesfazer desfazer(CodPaciente);
    TDateTime anterior = 0;
    for (int k = 0; k < 4; ++k) {
      const double sag = StrToFloatPontoVirgula(valores[4 * k]), div = StrToFloatPontoVirgula(valores[4 * k + 1]),
                   raio = StrToFloatPontoVirgula(valores[4 * k + 2]);
      // Each exam in a second of its own: the list finds an exam again by its time.
      TDateTime agora = Now();
      while (k > 0 && HoraInteira(agora) + DateOf(agora) <= anterior) {
        Sleep(50);
        agora = Now();
      }
      const TDateTime data = DateOf(agora), hora = HoraInteira(agora);
      anterior = data + hora;
      const int codigo = TDExames::InsertExames(CodPaciente, codMedico, data, hora, olho, o.Valores[size_t(k)], "O", "",
                                                diag, obs, InfosMZ.NumAneis, InfosMZ.TipoCone ? InfosMZ.TipoCone : "");
      desfazer.Exame(codigo);
      TDExames::InsertExamesOrto(codigo, QuatroCasas(div), 0, QuatroCasas(raio), QuatroCasas(sag));
      CriarPastaPaciente(CodPaciente);
      GravarArquivosOrto(CodPaciente, codigo, linhasD, linhasM, k);
    }
    // Once the four are stored: a failure before leaves the patient's row as it was.
    TDPacientes::UpdateExamesPacientesByCodigo(CodPaciente, UltimoExame(olho, DateOf(anterior), anterior - DateOf(anterior)),
                                               TDExames::CountExamesByCodPaciente(CodPaciente));
    desfazer.Manter = true;
  }
  AposGravar();
  Application->MessageBox("Exame gravado com sucesso", "Informação", MB_ICONINFORMATION);
  EncolherAposGravar();
  return true;
}

void TfrmNovoExame::AposGravar() {
  if (frmExames) {
    frmExames->CarregarMedicos();
    frmExames->AtualizarPacientes(CodPaciente, ComboMedicos->Text());
  }
  const TDateTime agora = Now();
  lblData->SetCaption(FormatDateTime("dd/mm/yy", agora));
  lblHora->SetCaption(FormatDateTime("hh:nn:ss", agora));
}

void TfrmNovoExame::EncolherAposGravar() {
  if (Direito.EmCurso() && Esquerdo.EmCurso()) return;
  DiminuiForm();
  SetTop(int(std::lround((600 - Height()) / 2.0)));
}
