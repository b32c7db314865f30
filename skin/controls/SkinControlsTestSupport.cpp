#include "skin/controls/SkinControlsTestSupport.h"

#include <algorithm>

#include "skin/engine/SkinFilesTestSupport.h"
#include "skin/engine/sAlphaGraph.h"

namespace skintest {

namespace {

// The skin engine and the toolkit, started once for the test binary.
class SkinControlsEnvironment : public uitest::UiEnvironment {
 public:
  void SetUp() override {
    uitest::UiEnvironment::SetUp();
    InitSkinEngine();
  }
  void TearDown() override {
    DoneSkinEngine();
    uitest::UiEnvironment::TearDown();
  }
};
testing::Environment* const Env = testing::AddGlobalTestEnvironment(new SkinControlsEnvironment);

std::string Text(const Bytes& B) { return std::string(B.begin(), B.end()); }

TSkinSection* Find(std::vector<TSkinSection>& Sections, const std::string& Name) {
  for (TSkinSection& S : Sections)
    if (S.Name == Name) return &S;
  return nullptr;
}

// The program's sections and the two test sections over backgrounds that are not plain.
std::vector<TSkinSection> TestSections() {
  std::vector<TSkinSection> Sections = ReadSkinSections(BuildDefaultSkin().Options);
  Sections.push_back({"CLEARPANEL", {{"TRANSPARENCY", "100"}, {"FONTCOLOR", "0"}}});
  Sections.push_back({"GRADIENTPANEL",
                      {{"COLOR", "8421504"}, {"GRADIENTPERCENT", "100"}, {"GRADIENTDATA", "255;16711680;100;0;0"}}});
  return Sections;
}

}  // namespace

std::vector<TSkinSection> ReadSkinSections(const std::string& Options) {
  std::vector<TSkinSection> Sections;
  size_t At = 0;
  while (At < Options.size()) {
    size_t End = Options.find('\n', At);
    if (End == std::string::npos) End = Options.size();
    std::string Line = Options.substr(At, End - At);
    At = End + 1;
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    if (Line.size() > 2 && Line.front() == '[' && Line.back() == ']') {
      Sections.push_back({Line.substr(1, Line.size() - 2), {}});
    } else if (const size_t Eq = Line.find('='); Eq != std::string::npos && !Sections.empty()) {
      Sections.back().Keys.push_back({Line.substr(0, Eq), Line.substr(Eq + 1)});
    }
  }
  return Sections;
}

Bytes PackOverDefaultMaster(const std::vector<TSkinSection>& Sections) {
  const TDefaultSkin Skin = BuildDefaultSkin();
  return PackSkin({{"Options.dat", WriteSkinOptions(Sections)},
                   {"Master.bmp", Text(Skin.Master)},
                   {"BtnHuge.bmp", Text(Skin.BtnHuge)},
                   {"ExBord.png", Text(Skin.ExBord)}});
}

Bytes FixtureSkinA() { return PackOverDefaultMaster(TestSections()); }

Bytes FixtureSkinB() {
  std::vector<TSkinSection> Sections = TestSections();
  std::erase_if(Sections, [](const TSkinSection& S) { return S.Name == "COMBOBTN"; });
  for (TSkinSection& S : Sections)
    std::erase_if(S.Keys, [](const TSkinKey& K) {
      return K.Name == "COMBOBTN" || K.Name == "BICLOSEALONE" || K.Name.rfind("SICON", 0) == 0;
    });
  return PackOverDefaultMaster(Sections);
}

Bytes FixtureSkinC(int BorderMode) {
  std::vector<TSkinSection> Sections = TestSections();
  TSkinSection* Global = Find(Sections, "GLOBALINFO");
  std::erase_if(Global->Keys, [](const TSkinKey& K) { return K.Name == "BORDERMODE"; });
  Global->Keys.push_back({"BORDERMODE", std::to_string(BorderMode)});
  return PackOverDefaultMaster(Sections);
}

Bytes FixtureSkinD() {
  const std::vector<TSkinSection> Sections = {
      {"GLOBALINFO", {{"COLOR", "12632256"}}},
      {"FORM", {{"COLOR", "16777215"}}},
      {"PANEL", {{"COLOR", "8421504"}, {"BORDERSMASK", BorderReference(MakeRect(0, 0, 8, 8), 3, 0, 0, 0)}}},
      {"TOOLBAR", {{"COLOR", "8421504"}, {"BORDERSMASK", BorderReference(MakeRect(0, 0, 1, 1), 1, 1, 0, 0)}}},
      {"PANEL_LOW", {{"COLOR", "8421504"}, {"BORDERSMASK", BorderReference(MakeRect(0, 0, 0, 0), 0, 1, 0, 0)}}},
      {"CHECKBOX", {{"COLOR", "8421504"}, {"BORDERSMASK", FileReference("Piece.bmp", 1, -1, 0, 2, 2, 2, 2, 0)}}},
  };
  const auto Checks = [](int X, int Y) { return (X + Y) % 2 ? 0xFF0000AAu : 0xFFFF00FFu; };
  return PackSkin({{"Options.dat", WriteSkinOptions(Sections)},
                   {"Master.bmp", BmpFile(16, 16, Checks)},
                   {"Piece.bmp", BmpFile(8, 8, Checks)}});
}

void LoadFixtureSkin(TsSkinManager& Manager, const std::string& Name, const Bytes& Packed) {
  TsStoredSkin* Stored = nullptr;
  for (int I = 0; I < Manager.InternalSkins().Count(); ++I)
    if (Manager.InternalSkins().Items(I)->Name() == Name) Stored = Manager.InternalSkins().Items(I);
  if (!Stored) {
    Stored = Manager.InternalSkins().Add();
    Stored->SetName(Name);
  }
  Stored->Data()->Clear();
  Stored->Data()->WriteBuffer(Packed.data(), int64_t(Packed.size()));
  Manager.SetSkinName(Name);
}

TForm* SkinnedFormTest::SharedForm = nullptr;

void SkinnedFormTest::SetUpTestSuite() {
  SharedForm = new TForm(Application);
  SharedForm->SetBounds(0, 0, 460, 340);
  SharedForm->Show();
  uitest::Pump();
}

void SkinnedFormTest::TearDownTestSuite() {
  SharedForm->Free();
  SharedForm = nullptr;
  uitest::Pump();
}

void SkinnedFormTest::SetUp() {
  Manager = std::make_unique<TsSkinManager>(nullptr);
  LoadFixtureSkin(*Manager, "A", FixtureSkinA());
  ASSERT_TRUE(Manager->SkinData().Active);
  Form = SharedForm;
}

void SkinnedFormTest::TearDown() {
  while (Form->ComponentCount() > 0) Form->Components(Form->ComponentCount() - 1)->Free();
  Manager.reset();
  uitest::Pump();
}

void SkinnedFormTest::PaintAll() {
  BringWindowToTop(Form->Handle());
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  uitest::Pump();
  GdiFlush();
}

std::unique_ptr<TBitmap> ScreenOf(HWND Wnd) {
  RECT R;
  GetWindowRect(Wnd, &R);
  auto Shot = std::make_unique<TBitmap>();
  Shot->SetPixelFormat(pf24bit);
  Shot->SetSize(R.right - R.left, R.bottom - R.top);
  const HDC Screen = GetDC(nullptr);
  BitBlt(Shot->Canvas()->Handle(), 0, 0, Shot->Width(), Shot->Height(), Screen, R.left, R.top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
  return Shot;
}

COLORREF ScreenPixel(HWND Wnd, int X, int Y) {
  POINT P{X, Y};
  ClientToScreen(Wnd, &P);
  const HDC Screen = GetDC(nullptr);
  const COLORREF C = GetPixel(Screen, P.x, P.y);
  ReleaseDC(nullptr, Screen);
  return C;
}

COLORREF BitmapPixel(TBitmap& Bmp, int X, int Y) {
  const auto* Row = static_cast<const unsigned char*>(Bmp.ScanLine(Y));
  const int Step = Bmp.PixelFormat() == pf32bit ? 4 : 3;
  const unsigned char* P = Row + X * Step;
  return RGB(P[2], P[1], P[0]);
}

TShotResult CompareShot(TBitmap& Shot, const std::string& Name, const std::vector<TRect>& TextAreas, int Tolerance) {
  const std::string Reference =
      std::string("Z:") + std::getenv("MZ_SOURCE_DIR") + "/skin/controls/testdata/" + Name + ".bmp";
  Shot.SaveToFile(std::string("Z:") + std::getenv("MZ_BINARY_DIR") + "/" + Name + ".bmp");
  const char* Regenerate = std::getenv("MZ_REGENERATE_SKIN_CONTROLS");
  if (Regenerate && std::strcmp(Regenerate, "1") == 0) {
    Shot.SaveToFile(Reference);
    return {0.0, true};
  }
  TBitmap Stored;
  Stored.LoadFromFile(Reference);
  Stored.SetPixelFormat(pf24bit);
  if (Stored.Width() != Shot.Width() || Stored.Height() != Shot.Height()) return {};
  int Different = 0, Counted = 0;
  for (int Y = 0; Y < Shot.Height(); ++Y)
    for (int X = 0; X < Shot.Width(); ++X) {
      const POINT P{X, Y};
      if (std::any_of(TextAreas.begin(), TextAreas.end(), [&](const TRect& R) { return PtInRect(&R, P); })) continue;
      ++Counted;
      const COLORREF A = BitmapPixel(Shot, X, Y), B = BitmapPixel(Stored, X, Y);
      if (std::abs(GetRValue(A) - GetRValue(B)) > Tolerance || std::abs(GetGValue(A) - GetGValue(B)) > Tolerance ||
          std::abs(GetBValue(A) - GetBValue(B)) > Tolerance)
        ++Different;
    }
  return {Counted ? double(Different) / Counted : 1.0, false};
}

void MoveCursorTo(const TPoint& P) {
  SetCursorPos(P.x, P.y);
  uitest::Pump();
}

void ClickAtScreen(const TPoint& P) {
  MoveCursorTo(P);
  INPUT In[2]{};
  In[0].type = In[1].type = INPUT_MOUSE;
  In[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  In[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, In, sizeof(INPUT));
  uitest::Pump();
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM Count) {
  ++*reinterpret_cast<int*>(Count);
  return TRUE;
}

BOOL CALLBACK CountTop(HWND Wnd, LPARAM Count) {
  ++*reinterpret_cast<int*>(Count);
  EnumChildWindows(Wnd, CountChild, Count);
  return TRUE;
}

}  // namespace

int ThreadWindowCount() {
  int Count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&Count));
  return Count;
}

bool WaitFor(const std::function<bool()>& Done, DWORD Ms) {
  const DWORD End = GetTickCount() + Ms;
  while (!Done()) {
    if (static_cast<LONG>(End - GetTickCount()) <= 0) return Done();
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace skintest
