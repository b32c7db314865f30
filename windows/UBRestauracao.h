#pragma once
// Restoring a backup changes the installation only when it completes, even when the program stops
// half-way: the medium's database is copied beside the live one and attached before anything else;
// the backup module copies the exam and report files into staging folders beside the installation's;
// only then is every file put in place, the one it replaces kept aside, under a list written to the
// disk first ("Restauracao.lst" in the program's folder). The list goes once every file is in place;
// while it is there, the start of the program puts back what the swap had changed.
#include <windows.h>

#include <string>

class TBRestauracao {
 public:
  // Midia: the medium's folder with its trailing "\".
  explicit TBRestauracao(const std::string& Midia);
  // What was staged and not put in place goes.
  ~TBRestauracao();
  TBRestauracao(const TBRestauracao&) = delete;
  TBRestauracao& operator=(const TBRestauracao&) = delete;

  // The medium's database folder copied beside the installation's, and its database attached; false
  // with the reason in Erro.
  bool PrepararBanco(std::string& Erro);
  // The staging folders the backup module restores into.
  std::string PastaExames() const;
  std::string PastaLaudos() const;
  // After the module: every exam that the medium's database says is backed up has its files among
  // the staged ones or in the installation; false with the missing ones ("patient\\exam") in Faltando.
  bool ConferirArquivos(std::string& Faltando);
  // Every staged file in place, with the database detached; 0, or the system's error code after
  // everything was put back.
  DWORD Trocar();

 private:
  std::string Midia;
};

// At the start, before the database is attached: an interrupted swap is undone, and what a stopped
// restore left beside the installation is removed.
void DesfazerRestauracaoInterrompida();
