#include "toolkit/report/Printers.h"

#include <winspool.h>

#include <vector>

#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr DWORD kSpoolerWaitMs = 30000;

// Raises EPrinter with the system's reason for the last failure.
[[noreturn]] void Fail(const std::string& What) {
  const DWORD error = GetLastError();
  throw EPrinter(error ? What + ": " + SysErrorMessage(error) : What + ".");
}

}  // namespace

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (printing_) Abort();
  ReleaseCanvas();
}

std::string TPrinter::PrinterName() const {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (!size) return "";
  std::vector<char> name(size);
  if (!GetDefaultPrinterA(name.data(), &size)) return "";
  return name.data();
}

HDC TPrinter::Handle() {
  if (!dc_) {
    const std::string name = PrinterName();
    if (name.empty()) throw EPrinter("Nenhuma impressora instalada.");
    dc_.reset(CreateDCA(nullptr, name.c_str(), nullptr, nullptr));
    if (!dc_) throw EPrinter("A impressora \"" + name + "\" não está disponível.");
  }
  return dc_.get();
}

void TPrinter::CheckPrinting(bool Value) const {
  if (printing_ != Value) throw EPrinter(Value ? "A impressora não está imprimindo." : "A impressão já está em andamento.");
}

void TPrinter::ReleaseCanvas() {
  if (canvas_) canvas_->SetHandle(nullptr);
}

TCanvas* TPrinter::Canvas() {
  CheckPrinting(true);
  return canvas_.get();
}

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  HDC dc = Handle();
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title_.c_str();
  info.lpszOutput = outputFileName_.empty() ? nullptr : outputFileName_.c_str();
  // Another program starting a job can hold the spooler's job file for a moment (Wine numbers
  // jobs per process): wait for it rather than fail the print.
  const DWORD start = GetTickCount();
  while (StartDocA(dc, &info) <= 0) {
    if (GetLastError() != ERROR_SHARING_VIOLATION || GetTickCount() - start > kSpoolerWaitMs)
      Fail("Não foi possível iniciar a impressão");
    Sleep(100);
  }
  if (StartPage(dc) <= 0) {
    const DWORD error = GetLastError();
    AbortDoc(dc);
    SetLastError(error);
    Fail("Não foi possível iniciar a impressão");
  }
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 1;
  if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  canvas_->SetHandle(dc);
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  // A new page starts with the DC's defaults: the canvas selects its objects again.
  canvas_->Refresh();
  EndPage(Handle());
  StartPage(Handle());
  ++pageNumber_;
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  ReleaseCanvas();
  EndPage(Handle());
  const bool ok = ::EndDoc(Handle()) > 0;
  printing_ = false;
  pageNumber_ = 0;
  if (!ok) Fail("Não foi possível concluir a impressão");
}

void TPrinter::Abort() {
  CheckPrinting(true);
  ReleaseCanvas();
  AbortDoc(Handle());
  printing_ = false;
  aborted_ = true;
  pageNumber_ = 0;
}

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}
