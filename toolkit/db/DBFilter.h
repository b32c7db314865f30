#pragma once
// Filter expressions of data sets: comparisons of fields with literals ("Codigo=5",
// "Local ='CE' AND PosCaixa = 1"), joined by AND, OR and NOT, with parentheses.
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace detail {

// A field's value or a literal as the filter compares them: numbers numerically, else as text.
struct TFilterValue {
  bool Null = true;
  bool IsNumber = false;
  double Number = 0;
  std::string Text;
};

class TFilterNode;

// A field of a filter as the server has it: its column's name and what the column holds.
struct TFilterColumn {
  std::string Name;
  enum { Other, Integer, Text } Kind = Other;
};
using TFilterColumns = std::function<std::optional<TFilterColumn>(const std::string& field)>;

class TFilterExpr {
 public:
  // Raises TFilterSyntaxError on text that is no filter expression.
  explicit TFilterExpr(std::string_view text);
  ~TFilterExpr();
  TFilterExpr(TFilterExpr&&) noexcept;
  TFilterExpr& operator=(TFilterExpr&&) noexcept;

  // Field gives the current record's value of a field by name (it raises for an unknown name).
  bool Matches(const std::function<TFilterValue(const std::string& field)>& Field) const;
  // A condition for a WHERE clause that keeps every row the filter keeps, from the comparisons the
  // server makes the same way (whole-number columns with numbers, text columns equal to a text);
  // the data set still applies the filter to what comes back. Empty when nothing can go.
  std::string ServerCondition(const TFilterColumns& Columns) const;

 private:
  std::unique_ptr<TFilterNode> root_;
};

class TFilterSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace detail
