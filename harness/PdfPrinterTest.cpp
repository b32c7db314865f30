// The installation's printer: a test copy of the installation gets the printer that scripts/run.sh
// installs (beside the test prefix's own default printer); each job printed on it becomes one PDF
// file in the copy's "Impressos" folder, named by date, time and the job's title, with nothing asked.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>

namespace {

const char kPrinter[] = "MZ PDF teste";

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// Output of a shell command (standard output and error).
std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen((command + " 2>&1").c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
  }
  return out;
}

std::set<std::string> Pdfs(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string n = e->d_name;
      if (n[0] != '.' && n.size() > 4 && n.compare(n.size() - 4, 4, ".pdf") == 0) names.insert(n);
    }
    closedir(d);
  }
  return names;
}

class PdfPrinter : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string src = Env("MZ_SOURCE_DIR"), bin = Env("MZ_BINARY_DIR");
    install_ = bin + "/harness/pdf-printer-test/MZ3100";
    impressos_ = install_ + "/Impressos";
    std::system(("rm -rf '" + install_ + "'").c_str());
    // The installation's own step lays out the copy; the run command's set-up adds its printer.
    ASSERT_EQ(std::system(("cmake -DSOURCE='" + src + "/windows/MZ3100.ini.in' -DINSTALL='" + install_ +
                           "' -DPRINTER='" + src + "/harness/imprime-pdf.sh' -P '" + src +
                           "/cmake/InstallSettings.cmake'")
                              .c_str()),
              0);
    ASSERT_EQ(std::system((". '" + src + "/harness/wine-env.sh' && wine '" + bin +
                           "/harness/mz_add_printer.exe.so' \"$(mz_pdf_port '" + install_ + "')\" '" + kPrinter +
                           "'")
                              .c_str()),
              0);
  }

  void TearDown() override {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(const_cast<char*>(kPrinter), &printer, &access)) {
      DeletePrinter(printer);
      ClosePrinter(printer);
    }
  }

  // Prints a job of the given pages, a line of text on each.
  void Print(const char* title, int pages) {
    HDC dc = CreateDCA(nullptr, kPrinter, nullptr, nullptr);
    ASSERT_TRUE(dc);
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = title;
    ASSERT_GT(StartDocA(dc, &di), 0);
    HFONT font = CreateFontA(-150, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    for (int page = 1; page <= pages; ++page) {
      ASSERT_GT(StartPage(dc), 0);
      HGDIOBJ old = SelectObject(dc, font);
      const std::string text = "Laudo - folha " + std::to_string(page);
      TextOutA(dc, 300, 300 * page, text.c_str(), int(text.size()));
      SelectObject(dc, old);
      ASSERT_GT(EndPage(dc), 0);
    }
    DeleteObject(font);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
  }

  // The PDF files that appear besides those already there, once the port's converter is through.
  std::set<std::string> NewPdfs(const std::set<std::string>& before) {
    std::set<std::string> now;
    for (int i = 0; i < 600; ++i) {
      now = Pdfs(impressos_);
      if (now.size() > before.size()) break;
      Sleep(100);
    }
    std::set<std::string> added;
    for (const auto& n : now)
      if (!before.count(n)) added.insert(n);
    return added;
  }

  std::string install_, impressos_;
};

TEST_F(PdfPrinter, EachJobBecomesOnePdfInImpressos) {
  // Names are the date, the time and the job's title, made safe for a file name.
  const std::regex name(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_Laudo_de_teste(_\d+)?\.pdf)");
  std::set<std::string> seen;
  for (int job = 1; job <= 2; ++job) {
    SCOPED_TRACE("job " + std::to_string(job));
    Print("Laudo de teste", 2);
    const std::set<std::string> added = NewPdfs(seen);
    ASSERT_EQ(added.size(), 1u);
    const std::string file = *added.begin();
    EXPECT_TRUE(std::regex_match(file, name)) << file;
    const std::string path = impressos_ + "/" + file;
    EXPECT_NE(Shell("pdfinfo '" + path + "'").find("Pages:           2"), std::string::npos);
    // Wine's driver draws text as outlines: each page must at least render something.
    const std::string boxes = Shell("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox '" + path + "'");
    const std::regex box(R"(%%BoundingBox: (\d+) (\d+) (\d+) (\d+))");
    int pages = 0;
    for (std::sregex_iterator it(boxes.begin(), boxes.end(), box), end; it != end; ++it, ++pages)
      EXPECT_TRUE((*it)[3] != (*it)[1] && (*it)[4] != (*it)[2]) << "blank page " << pages + 1;
    EXPECT_EQ(pages, 2) << boxes;
    seen.insert(file);
  }
  EXPECT_EQ(Pdfs(impressos_).size(), 2u);
}

}  // namespace
