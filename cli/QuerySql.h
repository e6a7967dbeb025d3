#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/Query.h"

namespace ombrel::cli {

// A word of the query that a hit holds, for marking in its snippet.
struct MarkedTerm {
    std::string text;
    bool prefix = false;
};

// A parsed query as the database runs it. The user's words only ever travel as bound values: the
// FTS5 expression is one value, with every word in it a quoted FTS5 string.
struct CompiledQuery {
    std::string match;      // the FTS5 expression that every hit matches; empty when none
    std::string condition;  // an SQL condition over "messages AS m"; empty when none
    std::vector<std::string> parameters;  // the values of the condition's "?", in order
    std::vector<MarkedTerm> marked;       // the words searched for (not those excluded)
};

// Compiles the query for the full-text table `textTable` (message_text, or message_stems for
// stemmed words).
CompiledQuery CompileQuery(const QueryNode& query, std::string_view textTable);

}  // namespace ombrel::cli
