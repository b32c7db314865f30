// The wizard's steps that call modules: the capture, the ring detection and the map of one eye.
#include "core/UBArquivosExame.h"
#include "core/UBCapturaDLL.h"
#include "core/UBCapturaOrtoDLL.h"
#include "core/UBConstantes.h"
#include "core/UBMapaDLL.h"
#include "core/UBMapasDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UBProcDLL.h"
#include "core/UBProcOrtoDLL.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmNovoExame.h"

namespace {

const char kTitulo[] = "Digitalizando Imagem do Olho";

std::string Texto(const char* t) { return t ? t : ""; }

void Salvar(const std::vector<std::string>& Linhas, TMemoryStream& Stream) {
  TStringList l;
  for (const std::string& s : Linhas) l.Add(s);
  l.SaveToStream(&Stream);
  Stream.SetPosition(0);
}

void LerLinhas(TMemoryStream& Stream, TStringList& Linhas) {
  Stream.SetPosition(0);
  Linhas.LoadFromStream(&Stream);
}

}  // namespace

bool TfrmNovoExame::DigitalizarOlho(int Olho) {
  TOlho& o = OlhoDe(Olho);
  TMemoryStream* central = nullptr;
  if (Orto) {
    TListaStreamsModulo centrais, laterais;
    for (size_t k = 0; k < 4; ++k) {
      o.CentraisOrto[k] = std::make_unique<TMemoryStream>();
      o.LateraisOrto[k] = std::make_unique<TMemoryStream>();
      centrais.Adicionar(*o.CentraisOrto[k]);
      laterais.Adicionar(*o.LateraisOrto[k]);
    }
    if (!CarregarCapturaOrtoDLL(Texto(PathsMZ.DigitalizacaoOrto))) return false;
    TLiberarAoSair liberar(LiberarCapturaOrtoDLL);
    DigitalizarOrto(Handle(), centrais.Dados(), laterais.Dados(), Olho, &InfosMZ, kTitulo);
    central = o.CentraisOrto[0].get();
  } else {
    o.Central = std::make_unique<TMemoryStream>();
    o.Lateral = std::make_unique<TMemoryStream>();
    if (!CarregarCapturaDLL(Texto(PathsMZ.Digitalizacao))) return false;
    TLiberarAoSair liberar(LiberarCapturaDLL);
    TStreamModulo c(*o.Central), l(*o.Lateral);
    Digitalizar(Handle(), &c, &l, Olho, &InfosMZ, kTitulo);
    central = o.Central.get();
  }
  central->SetPosition(0);
  if (central->Size() == 0) return false;
  o.Previa->Bitmap()->LoadFromStream(central);
  o.Previa->Invalidate();
  central->SetPosition(0);
  return true;
}

bool TfrmNovoExame::ProcessarOlho(int Olho) {
  TOlho& o = OlhoDe(Olho);
  if (!Orto) {
    if (!o.Central || !CarregarProcDLL(Texto(PathsMZ.Processamento))) return false;
    TLiberarAoSair liberar(LiberarProcDLL);
    o.MatrizM = std::make_unique<TMatrizAngAnel>();
    o.MatrizD = std::make_unique<TMatrizAngAnel>();
    o.Pupila = {};
    o.Central->SetPosition(0);
    TStreamModulo c(*o.Central);
    return ProcessaImagem(Handle(), &c, &o.CentroX, &o.CentroY, o.MatrizM.get(), &o.AneisPorMeridiano,
                          o.MatrizD.get(), &o.Pupila, &o.IndConf, &InfosMZ, &PathsMZ) == 1;
  }
  if (!o.CentraisOrto[0] || !CarregarProcOrtoDLL(Texto(PathsMZ.ProcessamentoOrto))) return false;
  TLiberarAoSair liberar(LiberarProcOrtoDLL);
  TListaStreamsModulo centrais;
  for (auto& c : o.CentraisOrto) {
    c->SetPosition(0);
    centrais.Adicionar(*c);
  }
  for (TMemoryStream* s : {o.SaidaM.get(), o.SaidaD.get(), o.SaidaValores.get()}) s->Clear();
  TStreamModulo m(*o.SaidaM), d(*o.SaidaD), v(*o.SaidaValores);
  if (ProcessaImagemOrto(Handle(), centrais.Dados(), &m, &d, &v, o.Valores.data(), &InfosMZ, &PathsMZ) != 1)
    return false;
  TStringList linhasM, linhasD, valores;
  LerLinhas(*o.SaidaM, linhasM);
  LerLinhas(*o.SaidaD, linhasD);
  LerLinhas(*o.SaidaValores, valores);
  try {
    std::vector<TMatrizAngAnel> mm(4), md(4);
    std::array<std::array<double, 4>, 4> vv{};
    for (int k = 0; k < 4; ++k) {
      LerMatrizTexto(linhasM, 360 * k, mm[size_t(k)]);
      LerMatrizTexto(linhasD, 360 * k, md[size_t(k)]);
    }
    for (int j = 0; j < 4; ++j)
      for (int i = 0; i < 4; ++i) {
        if (j * 4 + i >= valores.Count()) throw EConvertError("Valores incompletos");
        vv[size_t(j)][size_t(i)] = StrToFloatPontoVirgula(valores[j * 4 + i]);
      }
    o.MatrizesM = std::move(mm);
    o.MatrizesD = std::move(md);
    o.ValoresOrto = vv;
  } catch (const EConvertError&) {
    // Output that does not read as four maps and their values is a failed step.
    return false;
  }
  return true;
}

std::vector<std::string> TfrmNovoExame::InfoPaciente(const TOlho& O, bool SemCodigo) const {
  std::vector<std::string> l = {NomePaciente,
                                FormatFloat("0000", CodPaciente),
                                RGPaciente + " ",
                                O.Indice == 1 ? "Olho Direito" : "Olho Esquerdo",
                                FormatDateTime("dd/mm/yyyy", Date()),
                                FormatDateTime("hh:nn:ss", Time()),
                                ComboMedicos->Text()};
  if (!SemCodigo) l.push_back("0");  // the exam has no code yet
  l.push_back(FloatToStr(O.IndConf));
  l.push_back(Texto(PathsMZ.BancoDados));
  return l;
}

bool TfrmNovoExame::ExibirMapa(int Olho) {
  TOlho& o = OlhoDe(Olho);
  {
    TAguardeChamada aguarde;
    if (!Orto) {
      if (!o.MatrizM) return false;
      TMemoryStream info;
      Salvar(InfoPaciente(o, false), info);
      const std::string modulo = std::string(rbtAxial->Checked() ? "Axial" : "Tangencial") + ".dll";
      if (!CarregarMapaDLL(Texto(PathsMZ.DirMapas) + "\\" + modulo) || !ProcessaMapa) return false;
      TLiberarAoSair liberar(LiberarMapaDLL);
      o.Central->SetPosition(0);
      o.Lateral->SetPosition(0);
      TStreamModulo c(*o.Central), l(*o.Lateral), i(info);
      ProcessaMapa(Handle(), &c, &l, o.CentroX, o.CentroY, &i, o.MatrizM.get(), &o.AneisPorMeridiano, o.MatrizD.get(),
                   &o.Pupila, nullptr, &InfosMZ);
    } else {
      if (o.MatrizesM.size() != 4) return false;
      std::array<TMemoryStream, 4> infos;
      TListaStreamsModulo listas;
      std::vector<std::string> linhas = InfoPaciente(o, true);
      for (size_t k = 0; k < 4; ++k) {
        linhas[7] = FloatToStr(o.Valores[k]);
        Salvar(linhas, infos[k]);
        listas.Adicionar(infos[k]);
      }
      if (!CarregarMapasDLL(Texto(PathsMZ.DirMapas) + "\\MultiOrto.dll")) return false;
      TLiberarAoSair liberar(LiberarMapasDLL);
      ProcessaMapasOrto(Handle(), listas.Dados(), o.MatrizesM.data(), o.MatrizesD.data(), &o.ValoresOrto[0][0],
                        &InfosMZ);
    }
  }
  SetTop(0);
  AumentaForm();
  return true;
}
