#pragma once
// Filter expressions of data sets: comparisons of fields with literals ("Codigo=5",
// "Local ='CE' AND PosCaixa = 1"), joined by AND, OR and NOT, with parentheses.
#include <functional>
#include <memory>
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

class TFilterExpr {
 public:
  // Raises TFilterSyntaxError on text that is no filter expression.
  explicit TFilterExpr(std::string_view text);
  ~TFilterExpr();
  TFilterExpr(TFilterExpr&&) noexcept;
  TFilterExpr& operator=(TFilterExpr&&) noexcept;

  // Field gives the current record's value of a field by name (it raises for an unknown name).
  bool Matches(const std::function<TFilterValue(const std::string& field)>& Field) const;

 private:
  std::unique_ptr<TFilterNode> root_;
};

class TFilterSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace detail
