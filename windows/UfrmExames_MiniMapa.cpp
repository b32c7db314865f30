// The selected exam's mini map: the axial map module draws it into a stream that the browser shows.
#include <string>

#include "core/UBConstantes.h"
#include "core/UBMapaDLL.h"
#include "core/UBModuleStream.h"
#include "core/UBModulo.h"
#include "core/UfrmDataModule.h"
#include "toolkit/rtl/Classes.h"
#include "windows/UfrmAguarde.h"
#include "windows/UfrmExames.h"
#include "windows/UfrmPrincipal.h"

void TfrmExames::MostrarMiniMapa() {
  if (!pnlInfoExame->Visible()) return;
  if (!lswPrincipal->Selected()) {
    Application->MessageBox("Selecione um exame.", "Informação", MB_ICONERROR);
    return;
  }
  if (!SelecionarExameAtual()) {
    Application->MessageBox("Erro ao selecionar o exame.", "Erro", MB_ICONERROR);
    return;
  }
  // The wait window's comings and goings activate the browser, which shows the setting again.
  const bool automatico = cBoxMiniMapa->Checked();
  TIBQuery* exame = DMPrincipal->IBQueryExames;
  const int codigo = exame->FieldByName("CODIGO")->AsInteger();
  if (codigo == CodigoMiniMapa) return;
  const std::string prefixo = std::string(PathsMZ.Exames) + "\\" + exame->FieldByName("CODPACIENTE")->AsString() +
                              "\\" + std::to_string(codigo);
  if (!BMapOperation->CarregarArquivosMapa(prefixo)) {
    Application->MessageBox("Não foi possível processar o mapa selecionado. 1", "Informação", MB_ICONERROR);
    return;
  }
  if (frmAguarde) frmAguarde->Show();
  if (CarregarMapaDLL(std::string(PathsMZ.DirMapas) + "\\Axial.dll")) {
    TMemoryStream figura;
    {
      TLiberarAoSair liberar(LiberarMapaDLL);
      TStreamModulo saida(figura);
      TPupila pupila;
      BMapOperation->GetPupila(pupila);
      int reservado = 0;
      if (Visualizar)
        Visualizar(Handle(), &saida, nullptr, 0, BMapOperation->GetCentroX(), BMapOperation->GetCentroY(),
                   BMapOperation->PtrMatrizM(), BMapOperation->PtrAneisPorMeridiano(), BMapOperation->PtrMatrizD(),
                   &pupila, &reservado, nullptr, &InfosMZ, nullptr);
    }
    figura.SetPosition(0);
    imgVisualizar->Picture()->Bitmap()->LoadFromStream(&figura);
    CodigoMiniMapa = codigo;
  }
  if (frmAguarde) frmAguarde->Hide();
  if (automatico != InfosMZ.AutoMiniMapa) {
    BIniSettings->WriteParam("Bool", "OPCOES", "AUTOMINIMAPA", "", automatico);
    InfosMZ.AutoMiniMapa = automatico;
    cBoxMiniMapa->SetChecked(automatico);
  }
}
