#pragma once
// Several record routines that must stand or fall together: while a TDTransacaoUnica lives, the
// insert, update and delete routines leave their changes in the data module's one transaction instead
// of committing each; Confirmar commits them all at once. Left without Confirmar (an error, or the
// process ending), none of them is kept.
class TDTransacaoUnica {
 public:
  // Commits what was pending before, so that a rollback takes back this unit's changes only.
  TDTransacaoUnica();
  ~TDTransacaoUnica();
  TDTransacaoUnica(const TDTransacaoUnica&) = delete;
  TDTransacaoUnica& operator=(const TDTransacaoUnica&) = delete;

  void Confirmar();

 private:
  bool Confirmada = false;
};
