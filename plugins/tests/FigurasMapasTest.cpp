// The button pictures that the map stand-ins ship beside their modules: each loads through the
// program's picture routine, splits into its normal and hot 24 x 24 halves, and each half goes into a
// masked image list with fuchsia transparent, so that every map button shows its own picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/ui/ImgList.h"

namespace {

std::vector<std::string> Figuras() {
  std::vector<std::string> caminhos;
  std::stringstream lista(MZ_FIGURAS_MAPAS);
  for (std::string c; std::getline(lista, c, ',');) caminhos.push_back(c);
  return caminhos;
}

// The half of a 48 x 24 picture that starts at column Left.
void Metade(TBitmap& Figura, int Left, TBitmap& Metade) {
  Metade.SetPixelFormat(pf24bit);
  Metade.SetSize(24, 24);
  Metade.Canvas()->CopyRect(Rect(0, 0, 24, 24), Figura.Canvas(), Rect(Left, 0, Left + 24, 24));
}

// The pixels of image Index of List drawn on white.
std::vector<TColor> Desenhada(TImageList& List, int Index) {
  TBitmap alvo;
  alvo.SetPixelFormat(pf24bit);
  alvo.SetSize(24, 24);
  alvo.Canvas()->Brush()->SetColor(clWhite);
  alvo.Canvas()->FillRect(Rect(0, 0, 24, 24));
  List.Draw(alvo.Canvas(), 0, 0, Index);
  std::vector<TColor> pixels;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) pixels.push_back(alvo.Canvas()->Pixels(x, y));
  return pixels;
}

TEST(FigurasMapas, EachModuleHasItsOwnNormalAndHotPicture) {
  const std::vector<std::string> figuras = Figuras();
  ASSERT_EQ(figuras.size(), 9u);
  TImageList normais(nullptr), quentes(nullptr);
  for (TImageList* lista : {&normais, &quentes}) {
    lista->SetWidth(24);
    lista->SetHeight(24);
  }
  std::set<std::vector<TColor>> vistas;
  for (const std::string& caminho : figuras) {
    SCOPED_TRACE(caminho);
    TBitmap figura;
    figura.LoadFromFile(caminho);
    ASSERT_EQ(figura.Width(), 48);
    ASSERT_EQ(figura.Height(), 24);
    TBitmap normal, quente;
    Metade(figura, 0, normal);
    Metade(figura, 24, quente);
    const int n = normais.AddMasked(&normal, clFuchsia);
    const int q = quentes.AddMasked(&quente, clFuchsia);
    const std::vector<TColor> a = Desenhada(normais, n), b = Desenhada(quentes, q);
    // Fuchsia corners let the button show through; a good part of the square is drawn.
    for (const auto* pixels : {&a, &b}) {
      EXPECT_EQ((*pixels)[0], clWhite);
      EXPECT_EQ((*pixels)[23 * 24 + 23], clWhite);
      EXPECT_LT(std::count(pixels->begin(), pixels->end(), clWhite), 24 * 24 * 3 / 4);
      EXPECT_EQ(std::count(pixels->begin(), pixels->end(), clFuchsia), 0);
    }
    EXPECT_NE(a, b) << "the hot picture is the normal one";
    EXPECT_TRUE(vistas.insert(a).second) << "another module has the same picture";
  }
}

}  // namespace
