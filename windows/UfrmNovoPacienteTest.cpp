// The patient picker opened by the browser's new-patient command, on the seeded database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "windows/BuscaTestSupport.h"
#include "windows/UfrmNovoExame.h"

namespace {

using windowstest::Clicar;
using windowstest::Digitar;
using windowstest::EsperarAte;
using windowstest::TPassoModal;

class Seletor : public windowstest::TesteBusca {
 protected:
  void SetUp() override {
    TesteBusca::SetUp();
    Semear();
  }
  // Opens the picker through the browser's button and runs Passos inside it; true when the picker
  // was closed by them.
  bool NoSeletor(TfrmExames& F, const std::function<void(TfrmNovoPaciente&)>& Passos) {
    bool fechado = false;
    TPassoModal passo([&] {
      ASSERT_NE(frmNovoPaciente, nullptr);
      Passos(*frmNovoPaciente);
      // A modal window that closes ends its loop once this step returns.
      fechado = frmNovoPaciente->ModalResult() != mrNone;
      if (!fechado) frmNovoPaciente->Close();
    });
    F.tbtCadPaciente->OnClick(F.tbtCadPaciente);
    return fechado;
  }
  static void Escrever(TfrmNovoPaciente& P, const std::string& Nome) {
    P.edtNomePac->SetText("");
    Digitar(P.edtNomePac, Nome);
    SendMessageA(P.edtNomePac->Handle(), WM_KEYUP, 'A', LPARAM(0xC0000001));
    Application->ProcessMessages();
  }
};

TEST_F(Seletor, TheNameTypedListsThePatientsWhoseNamesStartWithIt) {
  recordstest::Registros::Paciente("Érica");
  TfrmExames& f = Abrir();
  ASSERT_TRUE(NoSeletor(f, [&](TfrmNovoPaciente& p) {
    EXPECT_EQ(p.Caption(), "Cadastro de Paciente");
    EXPECT_EQ(p.Left(), int(std::lround((800 - p.Width()) / 2.0)));
    EXPECT_EQ(p.ActiveControl(), p.edtNomePac);
    EXPECT_EQ(p.DBGrid1->Columns()->Items(0)->Title()->Caption(), "ID");
    EXPECT_EQ(p.DBGrid1->Columns()->Items(3)->Title()->Caption(), "QTD EXAMES");
    EXPECT_EQ(Nomes(DMPrincipal->IBQueryBuscaPac).size(), 7u);
    struct Caso {
      std::string Texto;
      std::vector<std::string> Nomes;
    };
    for (const Caso& c : {Caso{"jo", {"JOSÉ CARLOS", "José"}}, Caso{"é", {"Érica"}}, Caso{"d'", {"d'Ávila"}},
                          Caso{"x", {}}}) {
      Escrever(p, c.Texto);
      EXPECT_EQ(Nomes(DMPrincipal->IBQueryBuscaPac), c.Nomes) << c.Texto;
    }
    // A click copies the row's name into the edit.
    Escrever(p, "ana");
    ASSERT_TRUE(DMPrincipal->IBQueryBuscaPac->Locate("NOME", "Ana Clara", 0));
    p.DBGrid1->OnCellClick(nullptr);
    EXPECT_EQ(p.edtNomePac->Text(), "Ana Clara");
    Clicar(p.sButton1);
  }));
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(Seletor, EscClosesThePickerFromTheEditAndTheGrid) {
  TfrmExames& f = Abrir();
  for (bool grade : {false, true}) {
    EXPECT_TRUE(NoSeletor(f, [&](TfrmNovoPaciente& p) {
      TWinControl* c = grade ? static_cast<TWinControl*>(p.DBGrid1) : p.edtNomePac;
      c->SetFocus();
      SendMessageA(c->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    })) << grade;
    EXPECT_TRUE(EsperarAte([] { return frmNovoPaciente == nullptr; }));
  }
}

TEST_F(Seletor, ADoubleClickShowsThatPatientEvenWhenAnotherNameStartsTheSame) {
  TfrmExames& f = Abrir("Dr. Alfa");
  f.tbOrdemCriacao->SetDown(true);
  f.tbOrdemCriacao->OnClick(f.tbOrdemCriacao);
  ASSERT_TRUE(NoSeletor(f, [&](TfrmNovoPaciente& p) {
    Escrever(p, "Ana");
    ASSERT_TRUE(DMPrincipal->IBQueryBuscaPac->Locate("CODIGO", std::to_string(ana), 0));
    p.DBGrid1->OnDblClick(p.DBGrid1);
  }));
  EXPECT_EQ(f.MedicoEscolhido(), "*** Todos");
  EXPECT_EQ(CodigoDoCursor(), ana);
  EXPECT_EQ(NomeDoCursor(), "Ana");
  EXPECT_EQ(Nomes(DMPrincipal->IBQueryPacientes).front(), "Ana Clara");
}

TEST_F(Seletor, WithTheAutomaticExamTheWizardFollowsThePatientChosen) {
  InfosMZ.AutoExame = true;
  TfrmExames& f = Abrir();
  std::vector<int> pacientes;
  std::unique_ptr<TPassoModal> noAssistente;
  ASSERT_TRUE(NoSeletor(f, [&](TfrmNovoPaciente& p) {
    Escrever(p, "José");
    Clicar(p.sButton7);
    // Runs in the next modal loop: the wizard's, once the picker has closed.
    noAssistente = std::make_unique<TPassoModal>(
        [&] {
          pacientes.push_back(CodigoDoCursor());
          frmNovoExame->Close();
        },
        20, [] { return frmNovoExame && frmNovoExame->Visible(); });
  }));
  EXPECT_EQ(pacientes, std::vector<int>{jose});
}

TEST_F(Seletor, ContinuarWithAnExistingNameShowsThatPatient) {
  TfrmExames& f = Abrir("Dr. Beta");
  ASSERT_TRUE(NoSeletor(f, [&](TfrmNovoPaciente& p) {
    Clicar(p.sButton7);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "Digite o nome do Paciente!!!");
    EXPECT_EQ(dialogs.Log()[0].Caption, "Informação");
    EXPECT_TRUE(p.Visible());
    Escrever(p, "Ana");
    Clicar(p.sButton7);
  }));
  EXPECT_EQ(f.MedicoEscolhido(), "*** Todos");
  EXPECT_EQ(CodigoDoCursor(), ana);
}

TEST_F(Seletor, ANewNameIsRegisteredThroughThePatientFormUnlessCancelled) {
  TfrmExames& f = Abrir("Dr. Alfa");
  const std::vector<std::string> antes = Nomes(DMPrincipal->IBQueryPacientes);
  std::string rotulo, sexo, estadoCivil;
  const auto cadastro = [&](bool Confirmar) {
    return [&, Confirmar](TfrmNovoPaciente& p) {
      Escrever(p, "Zé Novo");
      TPassoModal noCadastro([&] {
        ASSERT_NE(frmCadastroPacientes, nullptr);
        rotulo = frmCadastroPacientes->lblCodigo->Caption();
        sexo = frmCadastroPacientes->drgSexo->Items()->Strings(frmCadastroPacientes->drgSexo->ItemIndex());
        estadoCivil =
            frmCadastroPacientes->drgEstadoCivil->Items()->Strings(frmCadastroPacientes->drgEstadoCivil->ItemIndex());
        EXPECT_EQ(frmCadastroPacientes->dbeNome->Text(), "Zé Novo");
        Clicar(Confirmar ? frmCadastroPacientes->btnCON : frmCadastroPacientes->btnCAN);
      });
      Clicar(p.sButton7);
    };
  };
  ASSERT_TRUE(NoSeletor(f, cadastro(false)));
  EXPECT_EQ(rotulo, "Adcionando um novo paciente");
  EXPECT_EQ(sexo, "Masculino");
  EXPECT_EQ(estadoCivil, "Solteiro(a)");
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Pacientes"), "6");
  EXPECT_EQ(f.MedicoEscolhido(), "Dr. Alfa");
  EXPECT_EQ(Nomes(DMPrincipal->IBQueryPacientes), antes);

  ASSERT_TRUE(NoSeletor(f, cadastro(true)));
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Pacientes"), "7");
  EXPECT_EQ(f.MedicoEscolhido(), "*** Sem Exames");
  EXPECT_EQ(CodigoDoCursor(), UltimoPaciente.Codigo);
  EXPECT_EQ(NomeDoCursor(), "Zé Novo");
  EXPECT_FALSE(DMPrincipal->IBPacientes->Active());
}

// The contrast ratio of two colours, from their relative luminances.
double Contraste(TColor A, TColor B) {
  const auto luminancia = [](TColor C) {
    const auto canal = [](int V) {
      const double c = V / 255.0;
      return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const COLORREF rgb = ColorToRGB(C);
    return 0.2126 * canal(GetRValue(rgb)) + 0.7152 * canal(GetGValue(rgb)) + 0.0722 * canal(GetBValue(rgb));
  };
  const double a = luminancia(A), b = luminancia(B);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TEST_F(Seletor, TheWhiteTitlesOfThePatientGridReadOnADarkTitleRow) {
  TfrmExames& f = Abrir();
  ASSERT_TRUE(NoSeletor(f, [&](TfrmNovoPaciente& p) {
    p.DBGrid1->Repaint();
    for (int i = 0; i < p.DBGrid1->Columns()->Count(); ++i)
      EXPECT_GE(Contraste(p.DBGrid1->Columns()->Items(i)->Title()->Font()->Color(), p.DBGrid1->FixedColor()), 4.5);
    HDC dc = GetDC(p.DBGrid1->Handle());
    const COLORREF titulo = GetPixel(dc, 14, 4);  // the first title cell, left of its centred text
    ReleaseDC(p.DBGrid1->Handle(), dc);
    EXPECT_EQ(titulo, ColorToRGB(p.DBGrid1->FixedColor()));
    Clicar(p.sButton1);
  }));
}

}  // namespace
