#pragma once
// The record tests' fixture: the data module connected to a fresh database file made from the
// schema script, and small helpers that add rows and read them back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/UDExames.h"
#include "core/UDMedicos.h"
#include "core/UDPacientes.h"
#include "core/UfrmDataModule.h"
#include "toolkit/db/DbTestSupport.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/ui/Forms.h"

namespace recordstest {

// Rows added through the record routines, for any test with a connected data module.
struct Registros {
  static int Medico(const std::string& nome) {
    TDadosMedico dados;
    dados.Nome = nome;
    return TDMedicos::InsertMedicos(dados);
  }
  static int Paciente(const std::string& nome, int totalExames = 0) {
    TDadosPaciente dados;
    dados.Nome = nome;
    return TDPacientes::InsertPacientes(dados, EncodeDate(2026, 12, 10), totalExames);
  }
  // Each exam of the run gets its own second (exam lists show the time to the second).
  static int Exame(int paciente, int medico, const std::string& olho = "OD", const std::string& backup = "") {
    static int proximo = 9 * 3600 + 30 * 60 + 15;
    const int s = proximo++;
    return TDExames::InsertExames(paciente, medico, EncodeDate(2026, 12, 10),
                                  EncodeTime(s / 3600, s / 60 % 60, s % 60, 0), olho, 0.93, "T", backup, "", "", 24,
                                  "4");
  }
  // The first column of the first row of Sql, its :C bound to Codigo, read on a query of the test's own.
  static std::string Valor(const std::string& Sql, int Codigo) {
    TIBQuery q(nullptr);
    q.SetDatabase(DMPrincipal->IBDatabase);
    q.SQL().Add(Sql);
    q.ParamByName("C").SetAsInteger(Codigo);
    q.Open();
    const std::string v = q.IsEmpty() ? "<nenhum>" : q.Fields(0)->AsString();
    q.Close();
    return v;
  }
};

class RecordsTest : public testing::Test, protected Registros {
 protected:
  static void SetUpTestSuite() { InitControls(); }
  static void TearDownTestSuite() { DoneControls(); }

  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string dir = dbtest::FreshDir(std::string("Records/") + info->test_suite_name() + "." + info->name());
    path = dbtest::WinPath(dir + "/DATABASE.GDB");
    Application->CreateForm(dm);
    ASSERT_TRUE(TDMPrincipal::PCreateDataBase(path));
    ASSERT_TRUE(dm->PSetDataBaseName(path));
  }
  void TearDown() override {
    probe.Close();
    probe.SetDatabase(nullptr);
    dm->Free();
  }

  // A statement of the test's own on a query of its own (the routines' scratch query stays theirs).
  TIBQuery& Sql(const std::string& sql, const std::function<void(TIBQuery&)>& bind = {}) {
    probe.Close();
    probe.SetDatabase(dm->IBDatabase);
    probe.SQL().Clear();
    probe.SQL().Add(sql);
    if (bind) bind(probe);
    return probe;
  }
  int Scalar(const std::string& sql, const std::function<void(TIBQuery&)>& bind = {}) {
    TIBQuery& q = Sql(sql, bind);
    q.Open();
    const int value = q.Fields(0)->AsInteger();
    q.Close();
    return value;
  }
  int Rows(const std::string& table, const std::string& where = "") {
    return Scalar("SELECT COUNT(*) FROM " + table + (where.empty() ? "" : " WHERE " + where));
  }

  std::string path;
  TDMPrincipal* dm = nullptr;
  TIBQuery probe{nullptr};
  TDialogScript dialogs;
};

}  // namespace recordstest
