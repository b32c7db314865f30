// mz_add_printer [PORT [NAME]]: installs a printer on Wine's PostScript driver, so that printing
// works without CUPS. Without arguments it is "MZ File Printer" on the FILE: port (PostScript to a
// file the caller names), made the default printer. With a PORT (for example "|command", a command
// that receives each job's PostScript) it is "MZ PDF" on that port, made the default printer; with
// a NAME as well it is a further printer of that name and the default printer stays as it was.
// A new default printer on a port other than FILE: removes "MZ File Printer".
// The driver gets a PPD of its own: without page sizes the driver reports a page of 0 x 0.
// Safe to run again: an existing printer of the same name is replaced.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"MZFILE.PPD\"\n"
    "*Manufacturer: \"MZ\"\n"
    "*Product: \"(MZ File Printer)\"\n"
    "*ModelName: \"MZ File Printer\"\n"
    "*NickName: \"MZ File Printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: True\n"
    "*DefaultColorSpace: RGB\n"
    "*TTRasterizer: Type42\n"
    "*DefaultResolution: 300dpi\n"
    "*OpenUI *PageSize/Page Size: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageRegion\n"
    "*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
    "*PageRegion Letter/Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"12 12 583 830\"\n"
    "*ImageableArea Letter/Letter: \"12 12 600 780\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*PaperDimension Letter/Letter: \"612 792\"\n";

const char kFilePrinter[] = "MZ File Printer";
const char kFilePort[] = "FILE:";

void DeletePrinterNamed(std::string name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(name.data(), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

}  // namespace

int main(int argc, char** argv) {
  char driver[] = "MZ PostScript Driver";
  char env[] = "Windows x64";
  char drv[] = "wineps.drv";
  std::string port = argc > 1 ? argv[1] : kFilePort;
  std::string name = argc > 2 ? argv[2] : argc > 1 ? "MZ PDF" : kFilePrinter;
  const bool makeDefault = argc <= 2;
  char proc[] = "WinPrint";
  char type[] = "RAW";

  // The PPD goes straight into the spooler's driver folder, where the driver looks for its data file.
  char dir[MAX_PATH];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, env, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) {
    std::fprintf(stderr, "GetPrinterDriverDirectory failed: %u\n", unsigned(GetLastError()));
    return 1;
  }
  std::string folder = std::string(dir) + "\\3";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string ppd = folder + "\\MZFILE.PPD";
  HANDLE f = CreateFileA(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok = f != INVALID_HANDLE_VALUE && WriteFile(f, kPpd, DWORD(sizeof kPpd - 1), &written, nullptr);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  if (!ok) {
    std::fprintf(stderr, "cannot write %s\n", ppd.c_str());
    return 1;
  }

  DRIVER_INFO_3A di{};
  di.cVersion = 3;
  di.pName = driver;
  di.pEnvironment = env;
  di.pDriverPath = drv;
  di.pDataFile = ppd.data();
  di.pConfigFile = drv;
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&di)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    std::fprintf(stderr, "AddPrinterDriver failed: %u\n", unsigned(GetLastError()));
  }

  DeletePrinterNamed(name);
  // A default printer on a port of its own replaces the FILE: printer an older set-up left: that
  // one would ask Wine's own box for a file name on every job.
  if (makeDefault && port != kFilePort) DeletePrinterNamed(kFilePrinter);

  PRINTER_INFO_2A pi{};
  pi.pPrinterName = name.data();
  pi.pPortName = port.data();
  pi.pDriverName = driver;
  pi.pPrintProcessor = proc;
  pi.pDatatype = type;
  pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
  if (!h) {
    std::fprintf(stderr, "AddPrinter failed: %u\n", unsigned(GetLastError()));
    return 1;
  }
  ClosePrinter(h);
  if (makeDefault && !SetDefaultPrinterA(name.c_str())) {
    std::fprintf(stderr, "SetDefaultPrinter failed: %u\n", unsigned(GetLastError()));
    return 1;
  }
  return 0;
}
