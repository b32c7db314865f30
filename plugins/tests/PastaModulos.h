#pragma once
// The plug-in tests' own folder under the build tree, with copies of the modules they load: each
// module reads its unattended-mode settings from a file beside it, so tests that run at the same
// time must not share a folder.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>

// A path of the Unix side as a Windows program names it under Wine.
inline std::string CaminhoWindows(const std::filesystem::path& p) {
  std::string s = "Z:" + p.string();
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

class PastaModulos {
 public:
  // "<build tree>/<nome>/<process id>", made afresh, with the modules (names without ".dll") copied
  // into its subfolder `sub` ("" for the folder itself). Removed with everything in it at the end.
  PastaModulos(const std::string& nome, std::initializer_list<const char*> modulos, const std::string& sub = "")
      : raiz(std::filesystem::path(std::getenv("MZ_BINARY_DIR")) / nome / std::to_string(GetCurrentProcessId())),
        pastaModulos(raiz / sub) {
    std::filesystem::remove_all(raiz);
    std::filesystem::create_directories(pastaModulos);
    for (const std::string m : modulos)
      std::filesystem::copy_file(std::filesystem::path(MZ_PLUGINS_OUT) / (m + ".dll.so"), pastaModulos / (m + ".dll"));
  }
  ~PastaModulos() {
    std::error_code e;
    std::filesystem::remove_all(raiz, e);
  }
  PastaModulos(const PastaModulos&) = delete;
  PastaModulos& operator=(const PastaModulos&) = delete;

  const std::filesystem::path& Raiz() const { return raiz; }
  // The module's copy, named as the program names a module file.
  std::string Dll(const std::string& modulo) const { return CaminhoWindows(pastaModulos / (modulo + ".dll")); }
  // A file beside the modules (their settings files).
  std::filesystem::path Arquivo(const std::string& nome) const { return pastaModulos / nome; }

 private:
  std::filesystem::path raiz, pastaModulos;
};
