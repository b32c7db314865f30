#include "toolkit/db/SQLText.h"

#include <cctype>

namespace detail {
namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// Length of the quoted text, quoted name or comment that starts at s[i], or 0 when none starts there.
size_t SkipOpaque(std::string_view s, size_t i) {
  const char c = s[i];
  if (c == '\'' || c == '"') {
    size_t j = i + 1;
    while (j < s.size()) {
      if (s[j] == c) {
        if (j + 1 < s.size() && s[j + 1] == c) {
          j += 2;  // doubled quote inside the text
          continue;
        }
        return j + 1 - i;
      }
      ++j;
    }
    return s.size() - i;
  }
  if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
    const size_t end = s.find('\n', i);
    return (end == std::string_view::npos ? s.size() : end) - i;
  }
  if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
    const size_t end = s.find("*/", i + 2);
    return (end == std::string_view::npos ? s.size() : end + 2) - i;
  }
  return 0;
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

std::string Upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}

// The text without the blanks and comments that lead it.
std::string_view SkipLeadingComments(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    if (std::isspace(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (size_t n = SkipOpaque(s, i); n && s[i] != '\'' && s[i] != '"') {
      i += n;
    } else {
      break;
    }
  }
  return s.substr(i);
}

}  // namespace

TParsedSQL ParseParams(std::string_view sql) {
  TParsedSQL r;
  r.Text.reserve(sql.size());
  for (size_t i = 0; i < sql.size();) {
    if (size_t n = SkipOpaque(sql, i)) {
      r.Text.append(sql.substr(i, n));
      i += n;
    } else if (sql[i] == ':' && i + 1 < sql.size() && IsNameChar(sql[i + 1])) {
      size_t j = i + 1;
      while (j < sql.size() && IsNameChar(sql[j])) ++j;
      r.Names.emplace_back(sql.substr(i + 1, j - i - 1));
      r.Text += '?';
      i = j;
    } else {
      r.Text += sql[i++];
    }
  }
  return r;
}

std::vector<std::string> SplitScript(std::string_view script) {
  std::vector<std::string> out;
  std::string term = ";";
  size_t start = 0;
  for (size_t i = 0; i < script.size();) {
    if (size_t n = SkipOpaque(script, i)) {
      i += n;
      continue;
    }
    if (script.compare(i, term.size(), term) != 0) {
      ++i;
      continue;
    }
    const std::string stmt = Trim(SkipLeadingComments(script.substr(start, i - start)));
    i += term.size();
    start = i;
    if (stmt.empty()) continue;
    const std::string upper = Upper(stmt);
    if (upper.rfind("SET TERM", 0) == 0) {
      term = Trim(std::string_view(stmt).substr(8));
      continue;
    }
    if (upper.rfind("SET ", 0) == 0) continue;
    out.push_back(stmt);
  }
  if (const std::string rest = Trim(SkipLeadingComments(script.substr(start))); !rest.empty()) out.push_back(rest);
  return out;
}

std::string QuotedText(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

std::string StartsWithCondition(std::string_view expression, std::string_view prefix) {
  if (prefix.find_first_of("%_") != std::string_view::npos)
    return std::string(expression) + " LIKE " + QuotedText(std::string(prefix) + "%");
  return std::string(expression) + " STARTING WITH " + QuotedText(prefix);
}

}  // namespace detail
