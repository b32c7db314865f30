// The screen's picture as a program that watches the screen reads it: each window of the program shown
// over another one (a form, a message box, a module's window, all over a form that covers the screen)
// is in the root window's picture, read at once and read by xwd, as in the window's own picture.
#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/UBCapturaDLL.h"
#include "core/UBModuleStream.h"
#include "toolkit/ui/Forms.h"
#include "windows/UfrmSobre.h"
#include "windows/WindowsTestSupport.h"

namespace {

using namespace windowstest;

// A picture of W x H pixels, 0xRRGGBB each.
struct TImagem {
  int W = 0, H = 0;
  std::vector<std::uint32_t> Px;
};

// Alike: the same size, and at most one pixel in a hundred differs by more than a few steps of colour.
bool Parecidas(const TImagem& A, const TImagem& B) {
  if (A.W != B.W || A.H != B.H || A.Px.empty()) return false;
  size_t diferentes = 0;
  for (size_t i = 0; i < A.Px.size(); ++i)
    for (int s : {0, 8, 16})
      if (std::abs(int((A.Px[i] >> s) & 0xFF) - int((B.Px[i] >> s) & 0xFF)) > 24) {
        ++diferentes;
        break;
      }
  return diferentes * 100 <= A.Px.size();
}

// The X server, read through XCB (Xvfb's pictures: 32 bits a pixel, least significant byte first).
class TServidorX {
 public:
  TServidorX() : c_(xcb_connect(nullptr, nullptr)) {
    if (!xcb_connection_has_error(c_)) raiz_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
  }
  ~TServidorX() { xcb_disconnect(c_); }
  bool Aberto() const { return raiz_ != 0; }

  // The rectangle R of the drawable (the root window, or a window in its own coordinates).
  TImagem Imagem(xcb_drawable_t Desenhavel, const RECT& R) const {
    TImagem img;
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> resposta(
        xcb_get_image_reply(c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, Desenhavel, std::int16_t(R.left),
                                              std::int16_t(R.top), std::uint16_t(R.right - R.left),
                                              std::uint16_t(R.bottom - R.top), ~0u),
                            nullptr),
        &std::free);
    if (!resposta) return img;
    img.W = R.right - R.left;
    img.H = R.bottom - R.top;
    const auto* dados = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(resposta.get()));
    img.Px.assign(dados, dados + size_t(img.W) * size_t(img.H));
    for (auto& p : img.Px) p &= 0xFFFFFF;
    return img;
  }
  TImagem ImagemDaRaiz(const RECT& R) const { return Imagem(raiz_, R); }

 private:
  xcb_connection_t* c_;
  xcb_window_t raiz_ = 0;
};

std::uint32_t Cardinal(const std::string& s, size_t i, bool Msb) {
  std::uint32_t v = 0;
  for (int k = 0; k < 4; ++k) {
    const std::uint32_t b = static_cast<unsigned char>(s[i + size_t(Msb ? k : 3 - k)]);
    v = (v << 8) | b;
  }
  return v;
}

std::uint32_t Canal(std::uint32_t Pixel, std::uint32_t Mascara) {
  if (!Mascara) return 0;
  int deslocamento = 0;
  while (!((Mascara >> deslocamento) & 1)) ++deslocamento;
  return (Pixel & Mascara) >> deslocamento;
}

// The rectangle R of the screen in the picture that xwd -root takes (the file's header is big-endian).
TImagem ImagemDoXwd(const RECT& R) {
  TImagem img;
  std::string arquivo;
  if (FILE* p = popen("xwd -root -silent", "r")) {
    char buf[65536];
    for (size_t n; (n = fread(buf, 1, sizeof(buf), p)) > 0;) arquivo.append(buf, n);
    pclose(p);
  }
  if (arquivo.size() < 100) return img;
  auto h = [&](int campo) { return Cardinal(arquivo, size_t(campo) * 4, true); };
  const std::uint32_t tamanhoCabecalho = h(0), largura = h(4), altura = h(5), ordemMsb = h(7), bits = h(11),
                      bytesLinha = h(12), vermelho = h(14), verde = h(15), azul = h(16), cores = h(19);
  const size_t inicio = tamanhoCabecalho + size_t(cores) * 12;
  if (bits != 32 || R.right > LONG(largura) || R.bottom > LONG(altura) ||
      arquivo.size() < inicio + size_t(bytesLinha) * altura)
    return img;
  img.W = R.right - R.left;
  img.H = R.bottom - R.top;
  for (LONG y = R.top; y < R.bottom; ++y)
    for (LONG x = R.left; x < R.right; ++x) {
      const std::uint32_t p = Cardinal(arquivo, inicio + size_t(y) * bytesLinha + size_t(x) * 4, ordemMsb != 0);
      img.Px.push_back(Canal(p, vermelho) << 16 | Canal(p, verde) << 8 | Canal(p, azul));
    }
  return img;
}

// The X window that Wine shows the top-level window in.
xcb_window_t JanelaX(HWND Janela) {
  return static_cast<xcb_window_t>(reinterpret_cast<UINT_PTR>(GetPropA(Janela, "__wine_x11_whole_window")));
}

// What the program painted into the whole window (frame included), as Wine keeps it.
TImagem ImagemWin32(HWND Janela) {
  RECT r;
  GetWindowRect(Janela, &r);
  TImagem img;
  img.W = r.right - r.left;
  img.H = r.bottom - r.top;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), img.W, -img.H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC tela = GetWindowDC(Janela);
  const HDC dc = CreateCompatibleDC(tela);
  const HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ antigo = SelectObject(dc, bmp);
  BitBlt(dc, 0, 0, img.W, img.H, tela, 0, 0, SRCCOPY);
  const auto* px = static_cast<const std::uint32_t*>(bits);
  img.Px.assign(px, px + size_t(img.W) * size_t(img.H));
  for (auto& p : img.Px) p &= 0xFFFFFF;
  SelectObject(dc, antigo);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(Janela, tela);
  return img;
}

class ImagemTela : public testing::Test {
 protected:
  // The form behind every window of the test, as a main window lies on the screen: over most of it,
  // not all (xwd reads a window that fills the screen as it reads the screen). One for all the tests.
  static void SetUpTestSuite() {
    fundo_ = new TForm(nullptr);
    fundo_->SetBorderStyle(bsNone);
    fundo_->SetColor(TColor(0x7F4F1F));
    fundo_->SetBounds(0, 0, Screen->Width() - 64, Screen->Height() - 64);
    fundo_->Show();
  }
  static void TearDownTestSuite() {
    fundo_->Free();
    fundo_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(X().Aberto()) << "no X display";
    ASSERT_TRUE(EsperarAte([] { return Pintada(fundo_->Handle()); }, 15000));
  }

  // The window's X picture holds what the program painted (Wine has put it on the screen).
  static bool Pintada(HWND Janela) {
    const xcb_window_t xid = JanelaX(Janela);
    RECT r;
    GetWindowRect(Janela, &r);
    return xid && Parecidas(X().Imagem(xid, {0, 0, r.right - r.left, r.bottom - r.top}), ImagemWin32(Janela));
  }

  // Once the window is painted: the root window's picture, read at once and read by xwd, shows the
  // window as its own picture does.
  void ConferirTela(HWND Janela, const char* Nome) {
    SCOPED_TRACE(Nome);
    ASSERT_TRUE(IsWindowVisible(Janela));
    const xcb_window_t xid = JanelaX(Janela);
    ASSERT_NE(xid, 0u);
    RECT r;
    GetWindowRect(Janela, &r);
    ASSERT_GE(r.left, 0);
    ASSERT_GE(r.top, 0);
    ASSERT_LE(r.right, Screen->Width());
    ASSERT_LE(r.bottom, Screen->Height());
    const RECT propria{0, 0, r.right - r.left, r.bottom - r.top};
    ASSERT_TRUE(EsperarAte(
        [&] { return Pintada(Janela) && Parecidas(X().ImagemDaRaiz(r), X().Imagem(xid, propria)); }, 15000))
        << "the root window's picture does not show the window";
    EXPECT_TRUE(Parecidas(ImagemDoXwd(r), X().Imagem(xid, propria))) << "xwd -root does not show the window";
  }

  static TServidorX& X() {
    static TServidorX servidor;
    return servidor;
  }
  static inline TForm* fundo_ = nullptr;
};

TEST_F(ImagemTela, AFormOfTheProgramOverAnother) {
  TPassoModal passo([this] {
    ConferirTela(frmSobre->Handle(), "Sobre");
    frmSobre->btnFECH->Click();
  });
  frmSobre = new TfrmSobre(Application);
  frmSobre->ShowModal();
  EXPECT_TRUE(EsperarAte([] { return frmSobre == nullptr; }));
}

TEST_F(ImagemTela, AMessageBoxOverAForm) {
  const std::string titulo = "Imagem da tela";
  TPassoModal passo(
      [&] {
        const HWND caixa = FindWindowA("#32770", titulo.c_str());
        ConferirTela(caixa, "MessageBox");
        PostMessageA(caixa, WM_COMMAND, IDOK, 0);
      },
      20, [&] { return FindWindowA("#32770", titulo.c_str()) != nullptr; });
  EXPECT_EQ(Application->MessageBox("Uma mensagem sobre o formulário.", titulo, MB_OK | MB_ICONINFORMATION), IDOK);
}

TEST_F(ImagemTela, TheCaptureModulesWindowOverAForm) {
  // The stand-in module alone in a folder: without its settings it shows its window.
  const auto pasta = std::filesystem::path(std::getenv("MZ_BINARY_DIR")) / "windows-tests" / "imagem-tela" /
                     std::to_string(GetCurrentProcessId());
  std::filesystem::remove_all(pasta);
  std::filesystem::create_directories(pasta);
  TInstalacaoTeste::CopiarModulo("Captura", pasta / "Captura.dll");
  ASSERT_TRUE(CarregarCapturaDLL(CaminhoWindows(pasta / "Captura.dll")));
  TPassoModal passo(
      [this] {
        const HWND janela = FindWindowA("MZCapturaModelo", nullptr);
        ConferirTela(janela, "Captura");
        PostMessageA(janela, WM_CLOSE, 0, 0);
      },
      20, [] { return FindWindowA("MZCapturaModelo", nullptr) != nullptr; });
  TMemoryStream central, lateral;
  TStreamModulo moduloCentral(central), moduloLateral(lateral);
  Digitalizar(fundo_->Handle(), &moduloCentral, &moduloLateral, 1, nullptr, "Captura");
  LiberarCapturaDLL();
  std::filesystem::remove_all(pasta);
}

}  // namespace
