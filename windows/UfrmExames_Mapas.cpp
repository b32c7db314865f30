// The map buttons: the selected exam, or several exams of the patient, or examples, handed to the
// entry point of the map module whose button was pressed.
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "core/UBAberrometriaDLL.h"
#include "core/UBConstantes.h"
#include "core/UBJpeg.h"
#include "core/UBLCDLL.h"
#include "core/UBMapaDLL.h"
#include "core/UBMapasDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UDArquivos.h"
#include "core/UDMedicos.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/NumberText.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"

namespace {

bool Contem(const std::string& Texto, const char* Parte) { return Texto.find(Parte) != std::string::npos; }
bool ComecaCom(const std::string& Texto, const char* Inicio) { return Texto.rfind(Inicio, 0) == 0; }

// The module's own rings and cone for the length of a call, put back on every way out; the cone's
// text is kept here while the records point at it.
class TConeDaChamada {
 public:
  // A null TipoCone leaves the cone as it is.
  TConeDaChamada(int NumAneis, const char* TipoCone)
      : numAneis_(InfosMZ.NumAneis), tipoCone_(InfosMZ.TipoCone), texto_(TipoCone ? TipoCone : "") {
    InfosMZ.NumAneis = NumAneis;
    if (TipoCone) InfosMZ.TipoCone = texto_.c_str();
  }
  TConeDaChamada(const TConeDaChamada&) = delete;
  TConeDaChamada& operator=(const TConeDaChamada&) = delete;
  ~TConeDaChamada() {
    InfosMZ.NumAneis = numAneis_;
    InfosMZ.TipoCone = tipoCone_;
  }

 private:
  int32_t numAneis_;
  const char* tipoCone_;
  std::string texto_;
};

void Mensagem(const std::string& Texto, const char* Titulo, UINT Icone) {
  Application->MessageBox(Texto, Titulo, Icone);
}

void SalvarLinhas(const TStrings& Linhas, TMemoryStream& Stream) {
  Stream.Clear();
  Linhas.SaveToStream(&Stream);
  Stream.SetPosition(0);
}

std::string PrefixoExame(TDataSet& Exame) {
  return std::string(PathsMZ.Exames) + "\\" + Exame.FieldByName("CODPACIENTE")->AsString() + "\\" +
         Exame.FieldByName("CODIGO")->AsString();
}

std::string Olho(TDataSet& Exame) {
  return Exame.FieldByName("OLHO")->AsString() == "OD" ? "Olho Direito" : "Olho Esquerdo";
}

// The lines that the patient and the exam give every module: name, code, identity, eye, date, time
// and the exam's own responsible doctor.
void InfoPacienteExame(TStrings& Lista, const std::string& CodigoPaciente) {
  TIBQuery* paciente = DMPrincipal->IBQueryPacientes;
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  Lista.Add(paciente->FieldByName("NOME")->AsString());
  Lista.Add(CodigoPaciente);
  Lista.Add(paciente->FieldByName("RG")->AsString());
  Lista.Add(Olho(*exame));
  Lista.Add(FormatDateTime("dd/mm/yyyy", exame->FieldByName("DATA")->AsDateTime()));
  Lista.Add(FormatDateTime("hh:nn:ss", exame->FieldByName("HORA")->AsDateTime()));
  Lista.Add(TDMedicos::GetNomeByCodigo(exame->FieldByName("CODRESP")->AsInteger()));
}

// The nine lines of the stored exam shown by a single-map module; the index is rounded half to even.
void InfoExameAberto(TStrings& Lista) {
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  InfoPacienteExame(Lista, FormatFloat("0000", DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsInteger()));
  Lista.Add(FormatFloat("0000", exame->FieldByName("CODIGO")->AsInteger()));
  Lista.Add(std::to_string(static_cast<long long>(std::nearbyint(exame->FieldByName("INDCONF")->AsFloat()))));
}

// The nine lines of an example shown by a single-map module.
void InfoExemploAberto(TStrings& Lista, const std::string& NomeExemplo) {
  for (const std::string& l : {NomeExemplo, std::string("00001"), std::string("xx.xxx.xxx-x"), std::string("Exemplo"),
                               std::string("01/01/01"), std::string("00:00:00"), std::string("Médico Teste"),
                               std::string("9999"), std::string("100")})
    Lista.Add(l);
}

// A chosen line without the kind marker ("O" or "T") of the difference and orthokeratology lists.
std::string SemMarcador(const std::string& Linha) {
  return ComecaCom(Linha, "OOlho") || ComecaCom(Linha, "TOlho") ? Linha.substr(1) : Linha;
}

// The exams chosen in a multi-exam module, each in its slot of the arrays handed over.
class TExamesEscolhidos {
 public:
  explicit TExamesEscolhidos(size_t Vagas)
      : M(Vagas), D(Vagas), Aneis(Vagas), Pupilas(Vagas), Infos(Vagas) {
    for (std::unique_ptr<TMemoryStream>& s : Infos) {
      s = std::make_unique<TMemoryStream>();
      Listas.Adicionar(*s);
    }
  }
  // Copies the loaded map data and the info lines into the next slot.
  void Adicionar(const TBMapOperation& Mapa, const TStrings& Info) {
    Mapa.GetMatrizM(M[Quantidade]);
    Mapa.GetMatrizD(D[Quantidade]);
    Mapa.GetAneisPorMeridiano(Aneis[Quantidade]);
    Mapa.GetPupila(Pupilas[Quantidade]);
    SalvarLinhas(Info, *Infos[Quantidade]);
    ++Quantidade;
  }

  std::vector<TMatrizAngAnel> M, D;
  std::vector<TMatrizAng> Aneis;
  std::vector<TPupila> Pupilas;
  std::vector<std::unique_ptr<TMemoryStream>> Infos;
  TListaStreamsModulo Listas;
  std::array<double, 16> ValoresOrto{};  // four values of each of the first four exams
  size_t Quantidade = 0;
};

// The orthokeratology multi-exam module always reads four exams.
constexpr size_t ExamesOrto = 4;

// Loads the multi-exam module (kept loaded by the caller's guard) and lets it choose among the
// candidates; true when the road goes on.
bool EscolherNoModulo(HWND__* Handle, const std::string& Modulo, const TStrings& Candidatos, TMemoryStream& Escolhidos,
                      TMemoryStream& Parametros) {
  if (!CarregarMapasDLL(std::string(PathsMZ.DirMapas) + "\\" + Modulo)) return false;
  TMemoryStream candidatos;
  SalvarLinhas(Candidatos, candidatos);
  TStreamModulo c(candidatos), e(Escolhidos), p(Parametros);
  const int r = Contem(Modulo, "Diferencial") ? WizardDiferencial(Handle, &c, &e, &p, true, &InfosMZ)
                                              : Wizard(Handle, &c, &e, &p, &InfosMZ);
  return r == 1;
}

void ChamarProcessaMapas(HWND__* Handle, const std::string& Modulo, TExamesEscolhidos& Exames,
                         TMemoryStream& Parametros) {
  if (Contem(Modulo, "MultiOrto")) {
    ProcessaMapasOrto(Handle, Exames.Listas.Dados(), Exames.M.data(), Exames.D.data(), Exames.ValoresOrto.data(),
                      &InfosMZ);
  } else {
    TStreamModulo p(Parametros);
    ProcessaMapas(Handle, Exames.Listas.Dados(), Exames.M.data(), Exames.Aneis.data(), Exames.D.data(),
                  Exames.Pupilas.data(), int32_t(Exames.Quantidade), &p, &InfosMZ);
  }
}

size_t Vagas(const std::string& Modulo, int Escolhidos) {
  const size_t n = size_t(std::max(Escolhidos, 0));
  return Contem(Modulo, "MultiOrto") ? std::max(n, ExamesOrto) : n;
}

}  // namespace

void TfrmExames::MapaClick(TObject* Sender) {
  auto* botao = dynamic_cast<TToolButton*>(Sender);
  if (!botao) return;
  if (!lswPrincipal->Selected()) {
    Mensagem("Por favor, selecione um exame para que o mapa possa ser exibido.", "Informação", MB_ICONINFORMATION);
    return;
  }
  AbrirMapa(botao->Caption() + ".dll");
}

void TfrmExames::MapasClick(TObject* Sender) {
  auto* botao = dynamic_cast<TToolButton*>(Sender);
  if (!botao) return;
  if (lswPrincipal->Count() > 1)
    AbrirMapas(botao->Caption() + ".dll");
  else
    Mensagem("Não há número suficiente de exames para gerar o mapa desejado.", "Informação", MB_ICONINFORMATION);
}

void TfrmExames::AbrirMapa(const std::string& Modulo) {
  if (ModoExemplo) {
    if (TListItem* item = lswPrincipal->Selected()) {
      const std::string legenda = item->Caption();
      NomeExemplo = Contem(legenda, "Orto") ? legenda : legenda.substr(std::min<size_t>(5, legenda.size()));
    }
    if (!BMapOperation->CarregarArquivosMapa(std::string(PathsMZ.Exemplos) + "\\" + NomeExemplo)) {
      Mensagem("Não foi possível processar o mapa selecionado. ERROMAP02", "Informação", MB_ICONERROR);
      return;
    }
    TAguardeChamada aguarde(TimerAguarde);
    TStringList info;
    InfoExemploAberto(info, NomeExemplo);
    TMemoryStream stream;
    SalvarLinhas(info, stream);
    ChamarModuloMapa(Modulo, "2", stream, 16, nullptr, nullptr);
    return;
  }
  // The list's selection names the exam: the exam query may hold another one, or none.
  if (!SelecionarExameAtual()) {
    Mensagem("Não foi possivel abrir o exame selecionado.", "Informação", MB_ICONWARNING);
    return;
  }
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  const std::string prefixo = PrefixoExame(*exame);
  if (!BMapOperation->CarregarArquivosMapa(prefixo)) {
    Mensagem("Não foi possível processar o mapa selecionado. ERROMAP03\r\rDiretorio: " + prefixo, "Informação",
             MB_ICONERROR);
    return;
  }
  TAguardeChamada aguarde(TimerAguarde);
  try {
    TMemoryStream central, lateral;
    try {
      TDArquivos::GetImagensByCodExame(exame->FieldByName("CODIGO")->AsInteger(), &central, &lateral);
    } catch (const std::exception&) {
      // An exam without readable pictures is shown without them.
    }
    for (TMemoryStream* figura : {&central, &lateral})
      if (figura->Size() > 0) TBJpeg().JpegToBitmap(figura);
    TStringList info;
    InfoExameAberto(info);
    TMemoryStream stream;
    SalvarLinhas(info, stream);
    ChamarModuloMapa(Modulo, exame->FieldByName("TIPOCONE")->AsString(), stream,
                     exame->FieldByName("NUMANEIS")->AsInteger(), &central, &lateral);
  } catch (const std::exception&) {
    Mensagem("Não foi possivel abrir o exame selecionado.", "Informação", MB_ICONWARNING);
  }
}

void TfrmExames::ChamarModuloMapa(const std::string& Modulo, const std::string& TipoCone, TMemoryStream& Info,
                                  int NumAneis, TMemoryStream* Central, TMemoryStream* Lateral) {
  TConeDaChamada cone(NumAneis, TipoCone.c_str());
  const std::string caminho = std::string(PathsMZ.DirMapas) + "\\" + Modulo;
  HWND__* janela = Handle();
  TStreamModulo info(Info);
  std::optional<TStreamModulo> central, lateral;
  if (Central) central.emplace(*Central);
  if (Lateral) lateral.emplace(*Lateral);
  TMZStream* pCentral = central ? &*central : nullptr;
  TMZStream* pLateral = lateral ? &*lateral : nullptr;
  TBMapOperation& mapa = *BMapOperation;

  if (Contem(Modulo, "LC")) {
    if (!CarregarLCDLL(caminho)) {
      if (frmAguarde) frmAguarde->Hide();
      Mensagem("Não foi possível processar o mapa selecionado. ERROMAP04", "Informação", MB_ICONERROR);
      return;
    }
    TLiberarAoSair liberar(LiberarLCDLL);
    ProcessaLente(janela, pCentral, &info, mapa.GetCentroX(), mapa.GetCentroY(), mapa.PtrMatrizM(),
                  mapa.PtrAneisPorMeridiano(), mapa.PtrMatrizD(), &InfosMZ, &PathsMZ);
  } else if (Contem(Modulo, "Aberrometria")) {
    if (!CarregarAberrometriaDLL(caminho)) return;
    TLiberarAoSair liberar(LiberarAberrometriaDLL);
    // The module gets copies of the exam's data.
    auto m = std::make_unique<TMatrizAngAnel>(*mapa.PtrMatrizM());
    auto d = std::make_unique<TMatrizAngAnel>(*mapa.PtrMatrizD());
    auto aneis = std::make_unique<TMatrizAng>(*mapa.PtrAneisPorMeridiano());
    TMemoryStream copiaInfo;
    Info.SetPosition(0);
    copiaInfo.CopyFrom(&Info, Info.Size());
    copiaInfo.SetPosition(0);
    TStringList clinica;
    for (const char* l : {InfosMZ.ClinicaNome, InfosMZ.ClinicaEndereco, InfosMZ.ClinicaCidadeEst,
                          InfosMZ.ClinicaTelefone})
      clinica.Add(l ? l : "");
    TMemoryStream textoClinica;
    SalvarLinhas(clinica, textoClinica);
    TStreamModulo pInfo(copiaInfo), pClinica(textoClinica);
    ProcessaAberrometria(janela, m.get(), d.get(), aneis.get(), InfosMZ.TipoCone, uint8_t(InfosMZ.NumAneis),
                         InfosMZ.Tipo, 3.0, InfosMZ.FatorCorrecao, InfosMZ.Z0, 350, 350, 1, &pInfo, &pClinica);
  } else {
    if (!CarregarMapaDLL(caminho)) {
      if (frmAguarde) frmAguarde->Hide();
      Mensagem("Não foi possível processar o mapa selecionado. ERROMAP02", "Informação", MB_ICONERROR);
      return;
    }
    TLiberarAoSair liberar(LiberarMapaDLL);
    TPupila pupila;
    mapa.GetPupila(pupila);
    const auto chamar = [&](TProcessaMapa Funcao, const double* Orto) {
      Funcao(janela, pCentral, pLateral, mapa.GetCentroX(), mapa.GetCentroY(), &info, mapa.PtrMatrizM(),
             mapa.PtrAneisPorMeridiano(), mapa.PtrMatrizD(), &pupila, Orto, &InfosMZ);
    };
    // A module may offer only one of its two entry points.
    if (!ModoExemplo && ProcessaMapaOrto && DMPrincipal->IBQueryExames->FieldByName("TIPOEXAME")->AsString() == "O" &&
        (Contem(Modulo, "Axial") || Contem(Modulo, "Tangencial"))) {
      chamar(ProcessaMapaOrto, ValoresOrto.data());
    } else if (ProcessaMapa && ModoExemplo && ComecaCom(NomeExemplo, "Orto")) {
      ValoresOrto.fill(99.9999);
      chamar(ProcessaMapa, ValoresOrto.data());
    } else if (ProcessaMapa) {
      chamar(ProcessaMapa, nullptr);
    }
  }
}

std::string TfrmExames::ConverterLinhaEscolhida(const std::string& Linha) {
  const std::string linha = SemMarcador(Linha);
  for (const auto& [olho, sigla] : {std::pair{"Olho Direito - ", "OD - "}, std::pair{"Olho Esquerdo - ", "OS - "}})
    if (ComecaCom(linha, olho)) return sigla + linha.substr(std::char_traits<char>::length(olho));
  return "";
}

void TfrmExames::InfoExameMapa(TStrings& Lista) {
  InfoPacienteExame(Lista, DMPrincipal->IBQueryPacientes->FieldByName("CODIGO")->AsString());
  Lista.Add(FloatToStr(DMPrincipal->IBQueryExames->FieldByName("INDCONF")->AsFloat()));
}

void TfrmExames::InfoExemplo(TStrings& Lista, const std::string& Linha, const std::string& Data) {
  for (const std::string& l :
       {std::string("Exemplo"), std::string("00"), std::string("00"),
        std::string(Contem(Linha, "Olho Direito") ? "Olho Direito" : "Olho Esquerdo"), Data, std::string("00:00:00"),
        std::string("Dr. Lumara"), std::string("100")})
    Lista.Add(l);
}

void TfrmExames::AbrirMapas(const std::string& Modulo) {
  if (ModoExemplo) {
    AbrirMapasExemplo(Modulo);
    return;
  }
  const bool simples = Contem(Modulo, "Duplo") || Contem(Modulo, "MultiMapas");
  const bool marcado = Contem(Modulo, "Diferencial") || Contem(Modulo, "MultiOrto");
  TStringList candidatos;
  bool invalida = false;
  int direitos = 0, esquerdos = 0;
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  for (int i = 0; i < lswPrincipal->Count(); ++i) {
    const std::string legenda = lswPrincipal->Items(i)->Caption();
    if (!SelecionarExame(legenda)) {
      Mensagem("Erro ao processar exames para a visualização do mapa!", "Erro", MB_ICONERROR);
      return;
    }
    const std::string tipo = exame->FieldByName("TIPOEXAME")->AsString();
    const bool direito = legenda.substr(0, 2) == "OD";
    const std::string linha = (direito ? "Olho Direito" : "Olho Esquerdo") + legenda.substr(2);
    std::string marcador;
    if (tipo != "O" && simples) {
      marcador = "";
    } else if (marcado) {
      if (tipo == "O")
        marcador = "O";
      else if (Contem(Modulo, "Diferencial"))
        marcador = "T";
      else
        continue;
    } else {
      if (tipo != "O" && tipo != "T") invalida = true;
      continue;
    }
    candidatos.Add(marcador + linha);
    ++(direito ? direitos : esquerdos);
  }
  if (invalida) {
    Mensagem("Tipo de exame incorreto!\rEntre em contato com a assistência técnica", "Informação",
             MB_ICONINFORMATION);
    return;
  }
  bool bastam = true;
  if (Contem(Modulo, "Duplo"))
    bastam = direitos >= 1 && esquerdos >= 1;
  else if (Contem(Modulo, "Diferencial"))
    bastam = direitos >= 2 || esquerdos >= 2;
  else if (Contem(Modulo, "Multi"))
    bastam = direitos >= 3 || esquerdos >= 3;
  if (!bastam) {
    Mensagem("Número insuficiente de exames para gerar o mapa desejado", "Informação", MB_ICONINFORMATION);
    return;
  }

  TLiberarAoSair liberar(LiberarMapasDLL);
  TMemoryStream escolhidos, parametros;
  if (!EscolherNoModulo(Handle(), Modulo, candidatos, escolhidos, parametros)) return;
  Repaint();
  TAguardeChamada aguarde(TimerAguarde);
  TStringList linhas;
  escolhidos.SetPosition(0);
  linhas.LoadFromStream(&escolhidos);
  TExamesEscolhidos exames(Vagas(Modulo, linhas.Count()));
  for (int k = 0; k < linhas.Count(); ++k) {
    if (!SelecionarExame(ConverterLinhaEscolhida(linhas[k]))) {
      Mensagem("Erro ao selecionar o exame!", "Erro", MB_ICONERROR);
      return;
    }
    if (exame->FieldByName("TIPOEXAME")->AsString() == "O" && size_t(k) < ExamesOrto)
      std::copy(ValoresOrto.begin(), ValoresOrto.end(), exames.ValoresOrto.begin() + k * 4);
    if (!BMapOperation->CarregarArquivosMapa(PrefixoExame(*exame))) {
      Mensagem("Não foi encontrado um dos exames. Não é possível continuar.", "Atenção", MB_ICONWARNING);
      return;
    }
    TStringList info;
    InfoExameMapa(info);
    exames.Adicionar(*BMapOperation, info);
  }
  ChamarProcessaMapas(Handle(), Modulo, exames, parametros);
}

void TfrmExames::AbrirMapasExemplo(const std::string& Modulo) {
  TConeDaChamada aneis(16, nullptr);
  const bool marcado = Contem(Modulo, "Diferencial") || Contem(Modulo, "MultiOrto");
  const std::string data = DateToStr(StrToDate("10/01/01"));
  TStringList candidatos, legendas;
  bool orto = false;
  for (int i = 0; i < lswPrincipal->Count(); ++i) {
    const std::string legenda = lswPrincipal->Items(i)->Caption();
    const std::string olho = legenda.substr(0, 2) == "OD" ? "Olho Direito -" : "Olho Esquerdo -";
    const std::string marcador = !marcado ? "" : Contem(legenda, "Orto") ? "O" : "T";
    orto = orto || marcador == "O";
    candidatos.Add(marcador + olho + data + " 00:00:00");
    legendas.Add(legenda);
  }
  if (Modulo == "MultiOrto.dll" && (candidatos.Count() < 4 || !orto)) {
    Mensagem("Número insuficiente de exames OU os exemplos selecionados não são de ortoceratologia.", "Informação",
             MB_ICONINFORMATION);
    return;
  }
  TLiberarAoSair liberar(LiberarMapasDLL);
  TMemoryStream escolhidos, parametros;
  if (!EscolherNoModulo(Handle(), Modulo, candidatos, escolhidos, parametros)) return;
  Repaint();
  TAguardeChamada aguarde(TimerAguarde);
  TStringList linhas;
  escolhidos.SetPosition(0);
  linhas.LoadFromStream(&escolhidos);
  TExamesEscolhidos exames(Vagas(Modulo, linhas.Count()));
  for (int k = 0; k < linhas.Count(); ++k) {
    const std::string linha = SemMarcador(linhas[k]);
    int achado = -1;
    for (int j = 0; j < candidatos.Count() && achado < 0; ++j)
      if ((marcado ? candidatos[j].substr(1) : candidatos[j]) == linha) achado = j;
    // A line that names no example is left out.
    if (achado < 0) continue;
    const std::string legenda = legendas[achado];
    const std::string nome = Contem(legenda, "Orto") ? legenda : legenda.substr(std::min<size_t>(5, legenda.size()));
    if (!BMapOperation->CarregarArquivosMapa(std::string(PathsMZ.Exemplos) + "\\" + nome)) {
      Mensagem("Não foi encontrado um dos exames. Não é possível continuar.", "Atenção", MB_ICONWARNING);
      return;
    }
    TStringList info;
    InfoExemplo(info, linha, data);
    exames.Adicionar(*BMapOperation, info);
  }
  if (exames.Quantidade > 0) ChamarProcessaMapas(Handle(), Modulo, exames, parametros);
}
