// Installs "MZ File Printer" (Wine's PostScript driver on the FILE: port) as the default printer
// of a Wine prefix, so that printing works without CUPS and writes PostScript to a chosen file.
#include <windows.h>
#include <winspool.h>

#include <cstdio>

int main() {
  char driver[] = "Wine PostScript Driver";
  char env[] = "Windows x64";
  char drv[] = "wineps.drv";
  char name[] = "MZ File Printer";
  char port[] = "FILE:";
  char proc[] = "WinPrint";
  char type[] = "RAW";

  DRIVER_INFO_3A di{};
  di.cVersion = 3;
  di.pName = driver;
  di.pEnvironment = env;
  di.pDriverPath = drv;
  di.pDataFile = drv;
  di.pConfigFile = drv;
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&di)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    std::fprintf(stderr, "AddPrinterDriver failed: %u\n", unsigned(GetLastError()));
  }

  PRINTER_INFO_2A pi{};
  pi.pPrinterName = name;
  pi.pPortName = port;
  pi.pDriverName = driver;
  pi.pPrintProcessor = proc;
  pi.pDatatype = type;
  pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
  if (h) {
    ClosePrinter(h);
  } else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
    std::fprintf(stderr, "AddPrinter failed: %u\n", unsigned(GetLastError()));
    return 1;
  }
  if (!SetDefaultPrinterA(name)) {
    std::fprintf(stderr, "SetDefaultPrinter failed: %u\n", unsigned(GetLastError()));
    return 1;
  }
  return 0;
}
