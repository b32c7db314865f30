#pragma once
// Reading SQL text the way the server will: quoted texts, quoted names and comments are left whole.
#include <string>
#include <string_view>
#include <vector>

namespace detail {

// A statement with each ":Name" parameter turned into the server's "?" marker, and the names in
// marker order (a name used twice appears twice).
struct TParsedSQL {
  std::string Text;
  std::vector<std::string> Names;
};
TParsedSQL ParseParams(std::string_view sql);

// Splits a script in the server's interactive tool form into statements: each ends at the current
// terminator (";" until "SET TERM x ;" changes it). "SET ..." commands are not returned; "COMMIT" is.
// Statements come back trimmed, without their terminator.
std::vector<std::string> SplitScript(std::string_view script);

// A quoted SQL text literal: 'it''s'.
std::string QuotedText(std::string_view text);
// The condition "Expression starts with Prefix", in the STARTING WITH form that the server answers
// from an index on Expression; a prefix that holds "%" or "_" keeps them as wildcards in a LIKE.
std::string StartsWithCondition(std::string_view expression, std::string_view prefix);

}  // namespace detail
