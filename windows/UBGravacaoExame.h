#pragma once
// The map data files of one save of exams, kept all or nothing with the save's rows: they are written
// under a staging folder beside the exams' folder ("Exames.gravando\<patient>\<exam>d.txt", ...), put on
// the disk before the rows are committed, and moved to their names in the patient's folder once the
// rows are committed. The start of the program finishes what a stop left between those steps.
#include <string>
#include <vector>

class TBGravacaoExame {
 public:
  // Makes the patient's staging folder; EInOutError when it cannot.
  explicit TBGravacaoExame(int CodPaciente);
  // Not published: the staged files go.
  ~TBGravacaoExame();
  TBGravacaoExame(const TBGravacaoExame&) = delete;
  TBGravacaoExame& operator=(const TBGravacaoExame&) = delete;

  // The folder the file writers take in place of the exams' folder, and the exam whose files follow.
  std::string Pasta() const;
  void Exame(int CodExame);
  // Before the commit: the staged files flushed to the disk, the patient's folder made and the files'
  // names free in it. EInOutError when not.
  void Preparar();
  // After the commit: every file under its name. What fails here is finished by the next start.
  void Publicar();

 private:
  int CodPaciente;
  std::vector<int> Codigos;
  bool Publicado = false;
};

// At the start, with the database connected: the staged files of an exam that has its row are moved
// to their names, the others deleted, and the staging folder removed.
void ConcluirGravacoesInterrompidas();
