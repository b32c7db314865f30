#pragma once
// The data module: the one connection to the patient database, its one transaction, and the tables,
// queries and data sources that the windows bind to and the data-access routines run on.
#include <string>

#include "toolkit/db/IBDatabase.h"
#include "toolkit/db/IBQuery.h"
#include "toolkit/db/IBTable.h"
#include "toolkit/ui/Component.h"

class TDMPrincipal : public TComponent {
 public:
  explicit TDMPrincipal(TComponent* AOwner);
  ~TDMPrincipal() override;

  // In declaration order; all owned by the module.
  TIBDatabase* IBDatabase;
  TIBTransaction* IBTransaction;
  TDataSource* DSQueryPacientes;
  TIBTable* IBPacientes;
  TIBQuery* IBQueryPacientes;
  TIBTable* IBMedicos;
  TDataSource* DSMedicos;
  TIBQuery* IBOperation;  // the scratch query of every data-access routine
  TDataSource* DSPacientes;
  TIBQuery* IBQueryMedicos;
  TIBTable* IBExames;
  TIBQuery* IBQueryExames;
  TDataSource* DSQueryExames;
  TDataSource* DSExames;
  TIBQuery* IBQueryBuscaPac;
  TDataSource* DSQueryBuscaPac;
  TIBTable* IBLaudos;
  TIBTable* IBLaudosTexto;
  TIBQuery* IBQueryLaudos;
  TIBQuery* IBQueryExamesOrto;
  TIBQuery* IBIdiomaOperation;
  TIBTable* IBIdioma;
  TIBTable* IBIdiomaDefault;

  // Connects to the database file Path (disconnecting first), trying the first password and then
  // the fallback one; tells the user when neither is accepted. True when connected.
  bool PSetDataBaseName(const std::string& Path);
  // Ends the transaction (closing the data sets) and disconnects.
  void PDesconectionDataBase();
  void PConnectDataBase();
  // Commits (closing every data set) and opens again the doctors, patients, exams, reports, report
  // texts and the patient query, so that windows show the change at once.
  void PCommitDataBase();
  // Rolls back what the transaction holds uncommitted and opens the same data sets again.
  void PRollbackDataBase();

  // Creates the database file Path from the project's schema script when it is missing (its folder
  // too). True when it was created; false when it exists or Path names a server. Raises
  // EDatabaseError when it cannot be created, leaving no partial file behind.
  static bool PCreateDataBase(const std::string& Path);

 private:
  void ReabrirDados();
};

extern TDMPrincipal* DMPrincipal;
