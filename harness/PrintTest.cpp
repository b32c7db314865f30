// Harness regression: a page printed to the prefix's FILE: printer is real PostScript whose text
// converts to PDF and whose text reads back.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(HarnessPrint, OnePageToFilePrinterReadsBack) {
  char name[256];
  DWORD n = sizeof name;
  ASSERT_TRUE(GetDefaultPrinterA(name, &n)) << "no default printer in the test prefix";
  HDC dc = CreateDCA(nullptr, name, nullptr, nullptr);
  ASSERT_TRUE(dc);
  // The printer knows its paper (A4 at 300 dots per inch by default).
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 2000);
  EXPECT_GT(GetDeviceCaps(dc, PHYSICALHEIGHT), GetDeviceCaps(dc, PHYSICALWIDTH));

  const std::string dir = std::string(std::getenv("MZ_BINARY_DIR")) + "/harness/print-test";
  std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
  // Z: maps to the Unix root, so the Windows name of a Unix path is Z: plus the path with backslashes.
  std::string winPath = "Z:" + dir + "/page.ps";
  for (char& c : winPath)
    if (c == '/') c = '\\';
  DOCINFOA di{};
  di.cbSize = sizeof di;
  di.lpszDocName = "Harness";
  di.lpszOutput = winPath.c_str();
  ASSERT_GT(StartDocA(dc, &di), 0);
  ASSERT_GT(StartPage(dc), 0);
  HFONT font = CreateFontA(-120, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
  HGDIOBJ old = SelectObject(dc, font);
  const char text[] = "Laudo de teste 3100";
  TextOutA(dc, 300, 300, text, int(sizeof text - 1));
  SelectObject(dc, old);
  DeleteObject(font);
  ASSERT_GT(EndPage(dc), 0);
  ASSERT_GT(EndDoc(dc), 0);
  DeleteDC(dc);

  const std::string ps = Slurp(dir + "/page.ps");
  ASSERT_EQ(ps.rfind("%!PS", 0), 0u) << "not PostScript";
  // Wine's PostScript driver draws text with glyphshow, which survives as outlines in a PDF; the text
  // itself is read from the PostScript by Ghostscript's text device.
  ASSERT_EQ(std::system(("ps2pdf '" + dir + "/page.ps' '" + dir + "/page.pdf'").c_str()), 0);
  ASSERT_EQ(std::system(("gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -sOutputFile='" + dir + "/page.txt' '" + dir +
                         "/page.ps'").c_str()),
            0);
  EXPECT_NE(Slurp(dir + "/page.txt").find("Laudo de teste 3100"), std::string::npos);
}

}  // namespace
