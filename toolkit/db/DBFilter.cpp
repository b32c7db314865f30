#include "toolkit/db/DBFilter.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "toolkit/db/SQLText.h"

namespace detail {

enum class TFilterOp { And, Or, Not, Eq, Ne, Lt, Le, Gt, Ge };

// An operand (field name or literal) or an operation on child nodes.
class TFilterNode {
 public:
  TFilterOp Op = TFilterOp::Eq;
  std::vector<std::unique_ptr<TFilterNode>> Kids;
  bool IsField = false;
  std::string Field;
  TFilterValue Literal;
};

namespace {

using Node = std::unique_ptr<TFilterNode>;

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  Node Parse() {
    Node n = Or();
    Blanks();
    if (i_ != s_.size()) Fail("texto inesperado");
    return n;
  }

 private:
  [[noreturn]] void Fail(const char* what) {
    throw TFilterSyntaxError("Filtro inv\xE1lido (" + std::string(what) + " na posi\xE7\xE3o " +
                             std::to_string(i_ + 1) + "): " + std::string(s_));
  }
  void Blanks() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  // Consumes the keyword when it stands there as a whole word.
  bool Keyword(const char* kw) {
    Blanks();
    size_t n = 0;
    while (kw[n]) ++n;
    if (s_.size() - i_ < n) return false;
    for (size_t k = 0; k < n; ++k)
      if (std::toupper(static_cast<unsigned char>(s_[i_ + k])) != kw[k]) return false;
    if (i_ + n < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_ + n])) || s_[i_ + n] == '_'))
      return false;
    i_ += n;
    return true;
  }
  static Node Join(TFilterOp op, Node a, Node b) {
    auto n = std::make_unique<TFilterNode>();
    n->Op = op;
    n->Kids.push_back(std::move(a));
    n->Kids.push_back(std::move(b));
    return n;
  }
  Node Or() {
    Node n = And();
    while (Keyword("OR")) n = Join(TFilterOp::Or, std::move(n), And());
    return n;
  }
  Node And() {
    Node n = Unary();
    while (Keyword("AND")) n = Join(TFilterOp::And, std::move(n), Unary());
    return n;
  }
  Node Unary() {
    if (Keyword("NOT")) {
      auto n = std::make_unique<TFilterNode>();
      n->Op = TFilterOp::Not;
      n->Kids.push_back(Unary());
      return n;
    }
    Blanks();
    if (i_ < s_.size() && s_[i_] == '(') {
      ++i_;
      Node n = Or();
      Blanks();
      if (i_ >= s_.size() || s_[i_] != ')') Fail("falta ')'");
      ++i_;
      return n;
    }
    Node a = Operand();
    const TFilterOp op = Comparison();
    return Join(op, std::move(a), Operand());
  }
  TFilterOp Comparison() {
    Blanks();
    static const struct {
      const char* text;
      TFilterOp op;
    } kOps[] = {{"<>", TFilterOp::Ne}, {"<=", TFilterOp::Le}, {">=", TFilterOp::Ge},
                {"=", TFilterOp::Eq},  {"<", TFilterOp::Lt},  {">", TFilterOp::Gt}};
    for (const auto& o : kOps) {
      const std::string_view t(o.text);
      if (s_.compare(i_, t.size(), t) == 0) {
        i_ += t.size();
        return o.op;
      }
    }
    Fail("falta o operador");
  }
  Node Operand() {
    Blanks();
    auto n = std::make_unique<TFilterNode>();
    if (i_ >= s_.size()) Fail("falta o operando");
    const char c = s_[i_];
    if (c == '\'') {
      ++i_;
      n->Literal.Null = false;
      for (;;) {
        if (i_ >= s_.size()) Fail("texto sem fim");
        if (s_[i_] == '\'') {
          if (i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
            n->Literal.Text += '\'';
            i_ += 2;
            continue;
          }
          ++i_;
          break;
        }
        n->Literal.Text += s_[i_++];
      }
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
      const size_t b = i_;
      ++i_;
      while (i_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.')) ++i_;
      n->Literal.Text = std::string(s_.substr(b, i_ - b));
      char* end = nullptr;
      n->Literal.Number = std::strtod(n->Literal.Text.c_str(), &end);
      if (end != n->Literal.Text.c_str() + n->Literal.Text.size()) Fail("n\xFAmero inv\xE1lido");
      n->Literal.Null = false;
      n->Literal.IsNumber = true;
    } else if (c == '[') {
      const size_t e = s_.find(']', i_);
      if (e == std::string_view::npos) Fail("falta ']'");
      n->IsField = true;
      n->Field = std::string(s_.substr(i_ + 1, e - i_ - 1));
      i_ = e + 1;
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      if (Keyword("NULL")) return n;
      const size_t b = i_;
      while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_' || s_[i_] == '$'))
        ++i_;
      n->IsField = true;
      n->Field = std::string(s_.substr(b, i_ - b));
    } else {
      Fail("operando inv\xE1lido");
    }
    return n;
  }

  std::string_view s_;
  size_t i_ = 0;
};

TFilterValue ValueOf(const TFilterNode& n, const std::function<TFilterValue(const std::string&)>& field) {
  return n.IsField ? field(n.Field) : n.Literal;
}

bool IsNullLiteral(const TFilterNode& n) { return !n.IsField && n.Literal.Null; }

bool Compare(TFilterOp op, const TFilterValue& a, const TFilterValue& b) {
  if (a.Null || b.Null) return false;  // like SQL: a missing value compares with nothing
  int c;
  if (a.IsNumber && b.IsNumber)
    c = a.Number < b.Number ? -1 : (a.Number > b.Number ? 1 : 0);
  else
    c = a.Text.compare(b.Text);
  switch (op) {
    case TFilterOp::Eq: return c == 0;
    case TFilterOp::Ne: return c != 0;
    case TFilterOp::Lt: return c < 0;
    case TFilterOp::Le: return c <= 0;
    case TFilterOp::Gt: return c > 0;
    default: return c >= 0;
  }
}

bool Eval(const TFilterNode& n, const std::function<TFilterValue(const std::string&)>& field) {
  switch (n.Op) {
    case TFilterOp::And: return Eval(*n.Kids[0], field) && Eval(*n.Kids[1], field);
    case TFilterOp::Or: return Eval(*n.Kids[0], field) || Eval(*n.Kids[1], field);
    case TFilterOp::Not: return !Eval(*n.Kids[0], field);
    default: {
      const TFilterValue a = ValueOf(*n.Kids[0], field), b = ValueOf(*n.Kids[1], field);
      // "X = NULL" and "X <> NULL" ask whether the value is missing.
      if (IsNullLiteral(*n.Kids[0]) || IsNullLiteral(*n.Kids[1])) {
        const bool bothNull = a.Null && b.Null;
        return n.Op == TFilterOp::Eq ? bothNull : (n.Op == TFilterOp::Ne ? !bothNull : false);
      }
      return Compare(n.Op, a, b);
    }
  }
}

// A column name as the server knows it, quoted so that no name reads as a word of the language.
std::string QuotedName(const std::string& name) { return '"' + name + '"'; }

// The server's form of a comparison, or empty when it might drop a row that the filter keeps.
std::string ServerComparison(const TFilterNode& n, const TFilterColumns& columns) {
  static const char* const kOps[] = {"", "", "", " = ", " <> ", " < ", " <= ", " > ", " >= "};
  const TFilterNode* field = n.Kids[0].get();
  const TFilterNode* literal = n.Kids[1].get();
  TFilterOp op = n.Op;
  if (!field->IsField) {
    std::swap(field, literal);
    // "5 < X" is "X > 5".
    static const TFilterOp kMirror[] = {TFilterOp::And, TFilterOp::Or, TFilterOp::Not, TFilterOp::Eq, TFilterOp::Ne,
                                        TFilterOp::Gt,  TFilterOp::Ge, TFilterOp::Lt,  TFilterOp::Le};
    op = kMirror[static_cast<int>(op)];
  }
  if (!field->IsField || literal->IsField || literal->Literal.Null) return {};
  const std::optional<TFilterColumn> column = columns(field->Field);
  if (!column || column->Name.empty() || column->Name.find('"') != std::string::npos) return {};
  const std::string& text = literal->Literal.Text;
  if (column->Kind == TFilterColumn::Integer && literal->Literal.IsNumber &&
      text.find('.') == std::string::npos)
    return QuotedName(column->Name) + kOps[static_cast<int>(op)] + text;
  // The server pads texts to compare them: its equality keeps at least the rows the filter keeps.
  if (column->Kind == TFilterColumn::Text && !literal->Literal.IsNumber && op == TFilterOp::Eq)
    return QuotedName(column->Name) + " = " + QuotedText(text);
  return {};
}

std::string ServerCondition(const TFilterNode& n, const TFilterColumns& columns) {
  switch (n.Op) {
    case TFilterOp::And: {
      const std::string a = ServerCondition(*n.Kids[0], columns), b = ServerCondition(*n.Kids[1], columns);
      if (a.empty() || b.empty()) return a.empty() ? b : a;  // one side still narrows the rows
      return "(" + a + " AND " + b + ")";
    }
    case TFilterOp::Or: {
      const std::string a = ServerCondition(*n.Kids[0], columns), b = ServerCondition(*n.Kids[1], columns);
      return a.empty() || b.empty() ? std::string() : "(" + a + " OR " + b + ")";
    }
    case TFilterOp::Not: return {};
    default: return ServerComparison(n, columns);
  }
}

}  // namespace

TFilterExpr::TFilterExpr(std::string_view text) : root_(Parser(text).Parse()) {}
TFilterExpr::~TFilterExpr() = default;
TFilterExpr::TFilterExpr(TFilterExpr&&) noexcept = default;
TFilterExpr& TFilterExpr::operator=(TFilterExpr&&) noexcept = default;

bool TFilterExpr::Matches(const std::function<TFilterValue(const std::string&)>& Field) const {
  return Eval(*root_, Field);
}

std::string TFilterExpr::ServerCondition(const TFilterColumns& Columns) const {
  return detail::ServerCondition(*root_, Columns);
}

}  // namespace detail
