#include "windows/UBExportaComponentes.h"

#include <functional>

#include "toolkit/rtl/Classes.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ComCtrls_UpDown.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/DBGrids.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Grids.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/StdCtrls.h"
#include "widgets/Bitmap32_Image.h"
#include "widgets/BtnImage.h"
#include "widgets/LabelX.h"
#include "widgets/hhcomponent.h"

namespace {

// What a class of the list adds after the component's name, or nothing when the component is not of it.
using TTeste = std::function<bool(TComponent&, std::string&)>;

template <class T>
TTeste SoNome() {
  return [](TComponent& C, std::string& Resto) {
    Resto.clear();
    return dynamic_cast<T*>(&C) != nullptr;
  };
}

template <class T>
TTeste ComTexto() {
  return [](TComponent& C, std::string& Resto) {
    const auto* c = dynamic_cast<T*>(&C);
    if (c) Resto = "\t\t" + c->Caption();
    return c != nullptr;
  };
}

// Two tabs and each text followed by ";".
std::string Textos(const std::vector<std::string>& Lista) {
  std::string r = "\t\t";
  for (const std::string& t : Lista) r += t + ";";
  return r;
}

const std::vector<TTeste>& Testes() {
  static const std::vector<TTeste> testes = {
      ComTexto<TLabel>(), ComTexto<TLabelX>(), ComTexto<TSpeedButton>(), ComTexto<TGroupBox>(),
      ComTexto<TRadioButton>(), ComTexto<TButton>(), ComTexto<TRadioGroup>(), ComTexto<TCheckBox>(),
      ComTexto<TPanel>(),
      [](TComponent& C, std::string& Resto) {
        const auto* l = dynamic_cast<TListView*>(&C);
        if (!l) return false;
        std::vector<std::string> t;
        if (l->ColumnCount() > 0)
          for (int i = 0; i < l->ColumnCount(); ++i) t.push_back(l->Columns(i)->Caption());
        else
          for (int i = 0; i < l->Count(); ++i) t.push_back(l->Items(i)->Caption());
        Resto = Textos(t);
        return true;
      },
      [](TComponent& C, std::string& Resto) {
        const auto* b = dynamic_cast<TToolBar*>(&C);
        if (!b) return false;
        std::vector<std::string> t;
        for (int i = 0; i < b->ButtonCount(); ++i) t.push_back(b->Buttons(i)->Caption());
        Resto = Textos(t);
        return true;
      },
      [](TComponent& C, std::string& Resto) {
        auto* g = dynamic_cast<TDBGrid*>(&C);
        if (!g) return false;
        std::vector<std::string> t;
        for (int i = 0; i < g->Columns()->Count(); ++i) t.push_back(g->Columns()->Items(i)->Title()->Caption());
        Resto = Textos(t);
        return true;
      },
      [](TComponent& C, std::string& Resto) {
        const auto* b = dynamic_cast<TToolButton*>(&C);
        if (b) Resto = "\t\t" + b->Caption() + "Hint: " + b->Hint();
        return b != nullptr;
      },
      SoNome<TImage>(), SoNome<TBtnImage>(), SoNome<TBitmap32List>(), SoNome<THtmlHelp>(), SoNome<TEdit>(),
      SoNome<TMemo>(), SoNome<TBevel>(), SoNome<TDBText>(), SoNome<TComboBox>(), SoNome<TPageControl>(),
      SoNome<TTabSheet>(), SoNome<TDBRadioGroup>(), SoNome<TDBNavigator>(), SoNome<TDBEdit>(),
      SoNome<TDBComboBox>(), SoNome<TUpDown>(), SoNome<TShape>(), SoNome<TImageList>(), SoNome<TStringGrid>(),
  };
  return testes;
}

}  // namespace

std::vector<std::string> LinhasComponentes(TComponent& Form) {
  std::vector<std::string> linhas;
  for (int i = 0; i < Form.ComponentCount(); ++i) {
    TComponent& c = *Form.Components(i);
    std::string resto;
    for (const TTeste& teste : Testes())
      if (teste(c, resto)) linhas.push_back(c.ClassName() + "\t" + c.Name() + resto);
  }
  return linhas;
}

void ExportaComponentes(TComponent& Form) {
  TStringList lista;
  for (const std::string& l : LinhasComponentes(Form)) lista.Add(l);
}
