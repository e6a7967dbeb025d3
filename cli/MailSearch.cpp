#include "cli/MailSearch.h"

#include "cli/Snippet.h"

namespace ombrel::cli {
namespace {

// The ranking weights of the columns of the full-text tables: a word in the subject counts most.
constexpr const char* kWeights = "10.0, 4.0, 2.0, 2.0, 2.0, 1.0, 4.0, 2.0";

constexpr const char* kHitSql = R"sql(
    SELECT m.id, m.received, m.folder_path, m.sender, m.subject, m.message_id, m.thread,
           CASE WHEN f.id IS NOT NULL THEN f.directory || ' #' || m.position ELSE 'imported' END,
           substr(m.body, 1, ?2)
    FROM messages AS m LEFT JOIN folders AS f ON f.id = m.folder_id
    WHERE m.id = ?1)sql";

constexpr const char* kJsonSql = R"sql(
    SELECT json_object('id', ?1, 'received', ?2, 'folder', ?3, 'from', ?4, 'subject', ?5,
                       'message_id', ?6, 'thread', ?7, 'store', ?8, 'snippet', ?9))sql";

}  // namespace

MailSearch::MailSearch(Sqlite& db, bool stems)
    : db_(db), table_(stems ? "message_stems" : "message_text"), tokenizer_(db, stems) {
    if (stems) {
        Statement check(db_, "SELECT 1 FROM sqlite_schema WHERE name = 'message_stems'");
        if (!check.Step()) {
            throw DatabaseError(
                "the index keeps no word stems: run `ombrel index --stem` once to add them");
        }
    }
}

CompiledQuery MailSearch::Compile(const QueryNode& query) const {
    return CompileQuery(query, table_);
}

// Ranked, the messages come from the full-text table, which knows each match's rank; else from
// the index of the times received, newest or oldest first, so that the first hits end the search
// (the full-text matches are a set to look the ids up in).
std::string MailSearch::From(const CompiledQuery& query, bool ranked) const {
    std::string from;
    if (ranked) {
        from = " FROM " + table_ + " JOIN messages AS m ON m.id = " + table_ + ".rowid WHERE " +
               table_ + " MATCH ?";
    } else {
        from = " FROM messages AS m INDEXED BY messages_received";
        if (!query.match.empty()) {
            from += " WHERE m.id IN (SELECT rowid FROM " + table_ + " WHERE " + table_ +
                    " MATCH ?)";
        }
    }
    if (!query.condition.empty()) {
        from += (query.match.empty() ? " WHERE " : " AND ") + query.condition;
    }
    return from;
}

void MailSearch::BindAll(Statement& statement, const CompiledQuery& query) {
    int at = 0;
    if (!query.match.empty()) statement.Bind(++at, query.match);
    for (const std::string& parameter : query.parameters) statement.Bind(++at, parameter);
}

std::int64_t MailSearch::Count(const CompiledQuery& query) {
    const std::string sql = query.condition.empty() && !query.match.empty()
                                ? "SELECT count(*) FROM " + table_ + " WHERE " + table_ +
                                      " MATCH ?"
                                : "SELECT count(*)" + From(query, false);
    Statement count(db_, sql.c_str());
    BindAll(count, query);
    return count.Step() ? count.Integer(0) : 0;
}

std::vector<std::int64_t> MailSearch::Ids(const CompiledQuery& query, SortOrder order,
                                          std::int64_t limit, std::int64_t offset) {
    const bool ranked = order == SortOrder::kRelevance && !query.match.empty();
    std::string sql = "SELECT m.id" + From(query, ranked);
    if (ranked) {
        sql += " ORDER BY bm25(" + table_ + ", " + kWeights + "), m.id";
    } else if (order == SortOrder::kOldest) {
        sql += " ORDER BY m.received, m.id";
    } else {
        sql += " ORDER BY m.received DESC, m.id DESC";
    }
    sql += " LIMIT ? OFFSET ?";
    Statement select(db_, sql.c_str());
    BindAll(select, query);
    const int next = static_cast<int>(query.parameters.size()) + (query.match.empty() ? 0 : 1);
    select.Bind(next + 1, limit).Bind(next + 2, offset);
    std::vector<std::int64_t> ids;
    while (select.Step()) ids.push_back(select.Integer(0));
    return ids;
}

SearchHit MailSearch::Hit(std::int64_t id, const CompiledQuery& query) {
    Statement row(db_, kHitSql);
    row.Bind(1, id).Bind(2, static_cast<std::int64_t>(SnippetMaker::kSnippetScan));
    if (!row.Step()) throw DatabaseError("message " + std::to_string(id) + " is not in the index");
    SearchHit hit{row.Integer(0), row.Text(1), row.Text(2), row.Text(3), row.Text(4),
                  row.Text(5),    row.Text(6), row.Text(7), {},          {}};
    const std::string body = row.Text(8);
    hit.snippet = SnippetMaker(tokenizer_, query.marked).Snippet(body.empty() ? hit.subject : body);
    Statement json(db_, kJsonSql);
    json.Bind(1, hit.id).Bind(2, hit.received).Bind(3, hit.folderPath).Bind(4, hit.from);
    json.Bind(5, hit.subject).Bind(6, hit.messageId).Bind(7, hit.thread).Bind(8, hit.store);
    json.Bind(9, hit.snippet);
    json.Step();
    hit.json = json.Text(0);
    return hit;
}

}  // namespace ombrel::cli
