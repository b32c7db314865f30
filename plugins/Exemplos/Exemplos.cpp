#include <windows.h>

#include "plugins/Exemplos/Exemplos.h"

#include <array>
#include <memory>

#include "core/UBArquivosExame.h"
#include "core/UBCalibracao.h"
#include "core/UBCapturaDLL.h"
#include "core/UBCapturaOrtoDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UBProcDLL.h"
#include "core/UBProcOrtoDLL.h"
#include "plugins/common/ModelosOlho.h"
#include "toolkit/rtl/Classes.h"
#include "toolkit/rtl/Exceptions.h"

namespace {

// One row of the browser's example list: the stem of its six exams and the model eye of each
// (exams 1 to 4 of the right eye, 5 and 6 of the left).
struct Serie {
  const char* radical;
  std::array<ModeloOlhoId, 6> modelos;
};

const std::array<Serie, 5> kSeries = {{
    {"Central0", {kCeratoconeCentral, kCeratoconeCentral, kCeratoconeCentralAvancado, kCeratoconeCentralAvancado,
                  kCeratoconeCentral, kCeratoconeCentralAvancado}},
    {"Periférico0", {kCeratoconePeriferico, kCeratoconePeriferico, kCeratoconePerifericoAvancado,
                     kCeratoconePerifericoAvancado, kCeratoconePeriferico, kCeratoconePerifericoAvancado}},
    {"Regular0", {kAstigmatismoAFavor, kAstigmatismoAFavor, kAstigmatismoObliquo, kAstigmatismoObliquo,
                  kAstigmatismoAFavor, kAstigmatismoObliquo}},
    {"Irregular0", {kAstigmatismoIrregular, kAstigmatismoIrregular, kAstigmatismoIrregularObliquo,
                    kAstigmatismoIrregularObliquo, kAstigmatismoIrregular, kAstigmatismoIrregularObliquo}},
    {"Normal0", {kCorneaNormal, kCorneaNormal, kCorneaPlana, kCorneaCurva, kCorneaNormal, kCorneaPlana}},
}};
// The orthokeratology series: one series of four pictures of a normal right eye, "Orto01" to "Orto04".
constexpr const char* kRadicalOrto = "Orto0";
constexpr const char* kTitulo = "Digitalizando Imagem do Olho";

// The capture modules answer without their window when their settings say so; those settings sit
// beside the module, so the modules are run from copies in a folder of the generator's own.
class PastaCaptura {
 public:
  explicit PastaCaptura(const ConfigExemplos& c) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    pasta = std::string(temp) + "MZExemplos" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(pasta.c_str(), nullptr);
    Copiar(c.Captura, Captura());
    Copiar(c.CapturaOrto, CapturaOrto());
  }
  ~PastaCaptura() {
    for (const std::string& f : {Captura(), CapturaOrto(), Ini()}) DeleteFileA(f.c_str());
    RemoveDirectoryA(pasta.c_str());
  }
  PastaCaptura(const PastaCaptura&) = delete;
  PastaCaptura& operator=(const PastaCaptura&) = delete;

  std::string Captura() const { return pasta + "\\Captura.dll"; }
  std::string CapturaOrto() const { return pasta + "\\CapturaOrto.dll"; }
  // Without a calibration file the rings are measured as the ideal instrument sees them.
  std::string Calibracao() const { return pasta + "\\"; }

  void Modelo(int modelo) const {
    const std::string ini = Ini();
    if (!WritePrivateProfileStringA("CAPTURA", "AUTOMATICO", "1", ini.c_str()) ||
        !WritePrivateProfileStringA("CAPTURA", "MODELO", std::to_string(modelo).c_str(), ini.c_str()))
      throw Exception("Não foi possível configurar a captura em " + ini);
  }

 private:
  std::string Ini() const { return pasta + "\\Captura.ini"; }
  static void Copiar(const std::string& de, const std::string& para) {
    if (!CopyFileA(de.c_str(), para.c_str(), FALSE)) throw Exception("Módulo não encontrado: " + de);
  }
  std::string pasta;
};

struct Exame {
  TMatrizAngAnel M{}, D{};
  TMatrizAng aneis{};
  TPupila pupila{};
  double cx = 0, cy = 0, indConf = 0;
};

class Gerador {
 public:
  explicit Gerador(const ConfigExemplos& c) : config(c), captura(c) {
    infos.TipoCone = TipoConeExemplos;
    infos.FatorCorrecao = config.FatorCorrecao;
    infos.Z0 = config.Z0;
    infos.NumAneis = NumAneisExemplos;
    calibracao = captura.Calibracao();
    paths.Calibracao = calibracao.c_str();
  }

  void Calibrar(const std::string& Pasta, int NumAneis) {
    captura.Modelo(kCorneaNormal);  // unattended; a sphere takes its radius from the title
    const std::string cone = config.TipoCone;
    infos.TipoCone = cone.c_str();
    infos.NumAneis = NumAneis;
    for (int esfera = 1; esfera <= 4; ++esfera) {
      const std::string raio = TextoRaioEsfera(esfera);
      TMemoryStream central, lateral, resultado;
      {
        if (!CarregarCapturaDLL(captura.Captura())) throw Exception("Módulo de captura inválido: " + config.Captura);
        TLiberarAoSair liberar(LiberarCapturaDLL);
        TStreamModulo c(central), l(lateral);
        Digitalizar(nullptr, &c, &l, 2, &infos, ("Digitalizando Esfera (" + raio + ")").c_str());
      }
      central.SetPosition(0);
      {
        if (!CarregarProcDLL(config.Processamento))
          throw Exception("Módulo de processamento inválido: " + config.Processamento);
        TLiberarAoSair liberar(LiberarProcDLL);
        TStreamModulo c(central), r(resultado);
        if (central.Size() == 0 || ProcessaEsfera(nullptr, &c, raio.c_str(), &r, &infos) != 1 || resultado.Size() == 0)
          throw Exception("O processamento não mediu a esfera de " + raio + " mm");
      }
      resultado.SaveToFile(Pasta + std::to_string(esfera) + ".txt");
    }
    GravarCoeficientes(Pasta, static_cast<unsigned char>(NumAneis));
  }

  std::vector<std::string> Gerar() {
    std::vector<std::string> prefixos;
    for (const Serie& s : kSeries)
      for (int n = 1; n <= 6; ++n) {
        prefixos.push_back(config.Pasta + "\\" + s.radical + std::to_string(n));
        Exemplo(s.modelos[size_t(n - 1)], n <= 4, prefixos.back());
      }
    for (int n = 1; n <= 4; ++n) prefixos.push_back(config.Pasta + "\\" + kRadicalOrto + std::to_string(n));
    SerieOrto(std::vector<std::string>(prefixos.end() - 4, prefixos.end()));
    return prefixos;
  }

 private:
  // The road of a new exam: capture, processing, the exam's three files.
  void Exemplo(int modelo, bool direito, const std::string& prefixo) {
    captura.Modelo(modelo);
    TMemoryStream central, lateral;
    {
      if (!CarregarCapturaDLL(captura.Captura())) throw Exception("Módulo de captura inválido: " + config.Captura);
      TLiberarAoSair liberar(LiberarCapturaDLL);
      TStreamModulo c(central), l(lateral);
      Digitalizar(nullptr, &c, &l, direito ? 1 : 0, &infos, kTitulo);
    }
    if (central.Size() == 0) throw Exception("A captura não devolveu imagem para " + prefixo);
    auto e = std::make_unique<Exame>();
    {
      if (!CarregarProcDLL(config.Processamento))
        throw Exception("Módulo de processamento inválido: " + config.Processamento);
      TLiberarAoSair liberar(LiberarProcDLL);
      TStreamModulo c(central);
      central.SetPosition(0);
      if (ProcessaImagem(nullptr, &c, &e->cx, &e->cy, &e->M, &e->aneis, &e->D, &e->pupila, &e->indConf, &infos,
                         &paths) != 1)
        throw Exception("O processamento não reconheceu os anéis de " + prefixo);
    }
    GravarArquivosMapa(prefixo, e->D, e->M, e->aneis, e->cx, e->cy, e->pupila, NumAneisExemplos);
  }

  // The orthokeratology road: a series of four pictures, processed together, one exam per block.
  void SerieOrto(const std::vector<std::string>& prefixos) {
    captura.Modelo(kCorneaNormal);
    std::array<TMemoryStream, 4> centrais, laterais;
    TListaStreamsModulo c, l;
    for (size_t k = 0; k < 4; ++k) c.Adicionar(centrais[k]), l.Adicionar(laterais[k]);
    {
      if (!CarregarCapturaOrtoDLL(captura.CapturaOrto()))
        throw Exception("Módulo de captura inválido: " + config.CapturaOrto);
      TLiberarAoSair liberar(LiberarCapturaOrtoDLL);
      DigitalizarOrto(nullptr, c.Dados(), l.Dados(), 1, &infos, kTitulo);
    }
    if (centrais[0].Size() == 0) throw Exception("A captura não devolveu a série de ortoceratologia");
    for (TMemoryStream& s : centrais) s.SetPosition(0);
    TMemoryStream m, d, v;
    {
      if (!CarregarProcOrtoDLL(config.ProcessamentoOrto))
        throw Exception("Módulo de processamento inválido: " + config.ProcessamentoOrto);
      TLiberarAoSair liberar(LiberarProcOrtoDLL);
      TStreamModulo sm(m), sd(d), sv(v);
      std::array<double, 4> indices{};
      if (ProcessaImagemOrto(nullptr, c.Dados(), &sm, &sd, &sv, indices.data(), &infos, &paths) != 1)
        throw Exception("O processamento não reconheceu os anéis da série de ortoceratologia");
    }
    TStringList linhasM, linhasD;
    m.SetPosition(0);
    linhasM.LoadFromStream(&m);
    d.SetPosition(0);
    linhasD.LoadFromStream(&d);
    for (size_t k = 0; k < prefixos.size(); ++k)
      GravarArquivosOrto(prefixos[k], linhasD, linhasM, int(k), NumAneisExemplos);
  }

  const ConfigExemplos& config;
  PastaCaptura captura;
  TInfosMZ infos{};
  TPathsMZ paths{};
  std::string calibracao;
};

}  // namespace

std::vector<std::string> GerarExemplos(const ConfigExemplos& Config) { return Gerador(Config).Gerar(); }

void GerarCalibracao(const ConfigExemplos& Config, const std::string& Pasta, int NumAneis) {
  Gerador(Config).Calibrar(Pasta, NumAneis);
}
