// Step 4 of the wizard: the exam rows, the map data files, the pictures and the patient's last exam and
// count of one eye, all or nothing even when the program stops half-way: the exam codes are issued
// first, the files are written and put on the disk under a staging folder, every row is committed at
// once, and only then do the files take their names. Then the browser on this patient and doctor.
#include <cmath>
#include <string>

#include "core/UBArquivosExame.h"
#include "core/UBConstantes.h"
#include "core/UBJpeg.h"
#include "core/UDArquivos.h"
#include "core/UDExames.h"
#include "core/UDPacientes.h"
#include "core/UDTransacaoUnica.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UBGravacaoExame.h"
#include "windows/UBPontoParada.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmNovoExame.h"

namespace {

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

// The files on the disk, the rows committed in one go, then the files under their names.
void Confirmar(TDTransacaoUnica& Transacao, TBGravacaoExame& Arquivos) {
  Arquivos.Preparar();
  PontoDeParada("antes-confirmar");
  Transacao.Confirmar();
  PontoDeParada("confirmado");
  Arquivos.Publicar();
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
    try {
      const int codMedico = CodigoMedico();
      TDTransacaoUnica transacao;
      TBGravacaoExame arquivos(CodPaciente);
      const int codigo = TDExames::InsertExames(CodPaciente, codMedico, data, hora, olho, o.IndConf, "T", "", diag, obs,
                                                InfosMZ.NumAneis, InfosMZ.TipoCone ? InfosMZ.TipoCone : "");
      arquivos.Exame(codigo);
      PontoDeParada("exame-inserido");
      GravarArquivoD(arquivos.Pasta(), CodPaciente, codigo, *o.MatrizD, InfosMZ.NumAneis);
      PontoDeParada("arquivo-gravado");
      GravarArquivoM(arquivos.Pasta(), CodPaciente, codigo, *o.MatrizM, InfosMZ.NumAneis);
      GravarArquivoA(arquivos.Pasta(), CodPaciente, codigo, o.AneisPorMeridiano, o.CentroX, o.CentroY, o.Pupila);
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
      Confirmar(transacao, arquivos);
      gravado = true;
    } catch (const std::exception&) {
      // Nothing of this save is kept (rolled back and the staged files removed before the message).
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
    TDTransacaoUnica transacao;
    TBGravacaoExame arquivos(CodPaciente);
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
      arquivos.Exame(codigo);
      PontoDeParada("exame-inserido");
      TDExames::InsertExamesOrto(codigo, QuatroCasas(div), 0, QuatroCasas(raio), QuatroCasas(sag));
      GravarArquivosOrto(arquivos.Pasta(), CodPaciente, codigo, linhasD, linhasM, k, InfosMZ.NumAneis);
      PontoDeParada("arquivo-gravado");
    }
    TDPacientes::UpdateExamesPacientesByCodigo(CodPaciente, UltimoExame(olho, DateOf(anterior), anterior - DateOf(anterior)),
                                               TDExames::CountExamesByCodPaciente(CodPaciente));
    Confirmar(transacao, arquivos);
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
