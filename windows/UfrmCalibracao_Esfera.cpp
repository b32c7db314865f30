// One sphere through the capture and processing modules, and the fit of the four result files.
#include "core/UBCalibracao.h"
#include "core/UBCapturaDLL.h"
#include "core/UBConstantes.h"
#include "core/UBModuleStream.h"
#include "core/UBProcDLL.h"
#include "toolkit/rtl/Exceptions.h"
#include "toolkit/rtl/NumberText.h"
#include "toolkit/ui/Dialogs.h"
#include "windows/UfrmCalibracao.h"
#include "windows/UfrmPrincipal.h"

namespace {

void ErroFatal(int Codigo) {
  Application->MessageBox("Ocorreu um erro fatal no sistema.\r\nEntre em contato com o nosso suporte técnico.\r\r\n"
                          "Código do Erro: " + IntToStr(Codigo),
                          "Informação", MB_OK);
}

// Frees a module binding when the call is over, however it ends.
struct TLiberar {
  void (*Liberar)();
  ~TLiberar() { Liberar(); }
};

std::string PastaCalibracao() { return PathsMZ.Calibracao ? PathsMZ.Calibracao : ""; }

}  // namespace

void TfrmCalib::sbtProcEsfClick(TObject*) {
  if (btnPRC->Caption() == "Salvar Calibração") {
    SalvarCalibracao(static_cast<unsigned char>(InfosMZ.NumAneis & 0xFF));
    Close();
    return;
  }
  if (!CarregarCapturaDLL(PathsMZ.Digitalizacao ? PathsMZ.Digitalizacao : "")) {
    ErroFatal(300);
    return;
  }
  TLiberar captura{LiberarCapturaDLL};
  if (!CarregarProcDLL(PathsMZ.Processamento ? PathsMZ.Processamento : "")) {
    ErroFatal(301);
    return;
  }
  TLiberar processamento{LiberarProcDLL};
  const std::string raio = TextoRaio(Passo < 5 ? Passo : 4);
  TMemoryStream central, lateral, resultado;
  TStreamModulo moduloCentral(central), moduloLateral(lateral), moduloResultado(resultado);
  const std::string titulo = "Digitalizando Esfera (" + raio + ")";
  Digitalizar(Handle(), &moduloCentral, &moduloLateral, 2, &InfosMZ, titulo.c_str());
  if (central.Size() < 10) return;
  central.SetPosition(0);
  if (ProcessaEsfera(Handle(), &moduloCentral, raio.c_str(), &moduloResultado, &InfosMZ) != 1 ||
      resultado.Size() == 0)
    return;
  resultado.SaveToFile(PastaCalibracao() + IntToStr(Passo) + ".txt");
  EsferaFeita[Passo] = true;
  EsferaMaxima = Passo;
  if (Redondo()) {
    MostrarEsferas(false);
    ExibirPasso(Passo + 1);
    HabilitarNavegacao(false, false);
    if (Passo <= 4) {
      flaCalibrador->SetLoop(false);
      flaCalibrador->Play();
      Timer->SetEnabled(true);
    } else {
      TimerTimer(Timer);
    }
    return;
  }
  for (int i = 0; i < 4; ++i) imgChk[i]->SetVisible(i < Passo);
  ExibirPasso(Passo + 1);
}

void TfrmCalib::Ajustar(unsigned char N) {
  // Files of earlier calibrations must not take part.
  for (int i = 1; i <= 4; ++i)
    if (!EsferaFeita[i]) throw Exception("A esfera " + IntToStr(i) + " não foi processada.");
  GravarCoeficientes(PastaCalibracao(), N);
}

void TfrmCalib::SalvarCalibracao(unsigned char N) {
  try {
    Ajustar(N);
    UltimaCalibracao = Now();
    Calibrado = true;
    BIniSettings->WriteParam("Str", "MODULOS", "ULTIMACALIB", DateTimeToStr(UltimaCalibracao), false);
    BIniSettings->ReloadCamera();
    lblUltCalib->SetCaption(DateTimeToStr(UltimaCalibracao));
  } catch (const std::exception&) {
    Application->MessageBox("A Calibração não foi realizada com sucesso.", "Informação", MB_ICONINFORMATION);
    return;
  }
  Application->MessageBox("A Calibração foi realizada com sucesso.", "Informação", MB_ICONINFORMATION);
}
