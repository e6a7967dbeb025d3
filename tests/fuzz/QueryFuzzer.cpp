// The query language: any bytes either parse or are refused with a position inside the query (or
// just past it), and a parsed query compiles to SQL whose every "?" has its value and to an FTS5
// expression whose quotes pair up (the user's words never leave their quotes).
#include <algorithm>
#include <string_view>

#include "cli/Query.h"
#include "cli/QuerySql.h"
#include "tests/fuzz/FuzzTarget.h"

OMBREL_FUZZ_TARGET(Query) {
    using namespace ombrel::cli;
    const std::string_view query(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<QueryNode> parsed;
    try {
        parsed = ParseQuery(query, "2006-09-01 12:00:00");
    } catch (const QueryError& error) {
        if (error.Position() < 1 || error.Position() > std::max(query.size(), kMaxQueryBytes) + 1) {
            __builtin_trap();
        }
        return 0;
    }
    const CompiledQuery compiled = CompileQuery(*parsed, "message_text");
    if (static_cast<std::size_t>(std::ranges::count(compiled.condition, '?')) !=
        compiled.parameters.size()) {
        __builtin_trap();
    }
    if (std::ranges::count(compiled.match, '"') % 2 != 0) __builtin_trap();
    return 0;
}
