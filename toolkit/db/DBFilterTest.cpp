#include "toolkit/db/DBFilter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>

using detail::TFilterExpr;
using detail::TFilterValue;

namespace {

TFilterValue Num(double v) {
  TFilterValue r;
  r.Null = false;
  r.IsNumber = true;
  r.Number = v;
  r.Text = std::to_string(static_cast<long long>(v));
  return r;
}

TFilterValue Text(const std::string& s) {
  TFilterValue r;
  r.Null = false;
  r.Text = s;
  return r;
}

bool Eval(const char* filter, const std::map<std::string, TFilterValue>& row) {
  return TFilterExpr(filter).Matches([&](const std::string& f) {
    auto it = row.find(f);
    if (it == row.end()) throw std::runtime_error("unknown field " + f);
    return it->second;
  });
}

}  // namespace

TEST(DBFilter, ComparesFieldsWithLiterals) {
  const std::map<std::string, TFilterValue> row{
      {"Codigo", Num(12)}, {"Local", Text("CE")}, {"PosCaixa", Num(1)}, {"Nome", Text("O'Hara")},
      {"Vazio", TFilterValue{}}};
  struct Case {
    const char* filter;
    bool match;
  } cases[] = {
      {"Codigo=12", true},
      {"Codigo = 12.0", true},
      {"Codigo=2", false},
      {"Codigo<>2", true},
      {"Codigo>=12 and Codigo<13", true},
      {"Local ='CE' AND PosCaixa = 1", true},
      {"Local ='CE' AND PosCaixa = 2", false},
      {"Local ='OD' OR PosCaixa = 1", true},
      {"NOT (Local = 'CE')", false},
      {"(Local = 'OD' OR Local = 'CE') AND [PosCaixa] > 0", true},
      {"Local = 'ce'", false},
      {"Nome = 'O''Hara'", true},
      {"Vazio = NULL", true},
      {"Vazio = 0", false},
      {"Vazio <> 0", false},
      {"12 = Codigo", true},
      {"Codigo <> NULL", true},
      {"Vazio <> NULL", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Eval(c.filter, row), c.match) << c.filter;
}

TEST(DBFilter, RejectsMalformedText) {
  for (const char* bad : {"Codigo", "Codigo =", "Codigo = 'x", "(Codigo = 1", "Codigo = 1 Nome", "= 1", "1..2 = x",
                          "Codigo ! 1"})
    EXPECT_THROW(TFilterExpr{bad}, detail::TFilterSyntaxError) << bad;
}

TEST(DBFilter, ServerConditionKeepsAtLeastTheFiltersRows) {
  using detail::TFilterColumn;
  const std::map<std::string, TFilterColumn> columns{{"CODIGO", {"CODIGO", TFilterColumn::Integer}},
                                                     {"NOME", {"NOME", TFilterColumn::Text}},
                                                     {"PESO", {"PESO", TFilterColumn::Other}}};
  const auto lookup = [&](const std::string& f) -> std::optional<TFilterColumn> {
    std::string upper = f;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto it = columns.find(upper);
    if (it == columns.end()) return std::nullopt;
    return it->second;
  };
  struct Case {
    const char* filter;
    const char* condition;
  } cases[] = {
      {"Codigo=5", "\"CODIGO\" = 5"},
      {"codigo >= -3 AND Nome = 'O''Hara'", "(\"CODIGO\" >= -3 AND \"NOME\" = 'O''Hara')"},
      {"5 < Codigo", "\"CODIGO\" > 5"},
      {"Codigo <> 2 OR [Nome] = 'Ana'", "(\"CODIGO\" <> 2 OR \"NOME\" = 'Ana')"},
      {"Codigo = 1 AND Peso > 2", "\"CODIGO\" = 1"},  // the server narrows by one side, the filter by both
      {"Codigo = 1 AND Outro = 2", "\"CODIGO\" = 1"},
      {"Codigo = 1 OR Peso > 2", ""},
      {"NOT Codigo = 1", ""},
      {"Nome > 'M'", ""},      // orders of texts may differ
      {"Nome = 5", ""},        // a number against a text column
      {"Codigo = '5'", ""},    // compared as text by the filter
      {"Codigo = 2.5", ""},
      {"Codigo = NULL", ""},
      {"Codigo = Codigo", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TFilterExpr(c.filter).ServerCondition(lookup), c.condition) << c.filter;
}
