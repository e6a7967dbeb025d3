#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/FtsTokenizer.h"
#include "cli/Query.h"
#include "cli/QuerySql.h"
#include "cli/Sqlite.h"

namespace ombrel::cli {

enum class SortOrder { kNewest, kOldest, kRelevance };

// One message found, with what the output shows of it.
struct SearchHit {
    std::int64_t id = 0;  // of the message in the index, never given to another
    std::string received;
    std::string folderPath;
    std::string from;
    std::string subject;
    std::string messageId;
    std::string thread;   // the message id that starts its conversation, or empty
    std::string store;    // where the message is stored: "DIRECTORY #N", or "imported"
    std::string snippet;  // with the words searched for between "«" and "»"
    std::string json;     // the whole hit as one JSON object
};

// The search of a mail index: which messages a query matches, how many, and each hit's text. The
// words are matched as the index keeps them, or by their English stems.
class MailSearch {
  public:
    // Throws DatabaseError when stems are asked of an index that has none.
    MailSearch(Sqlite& db, bool stems);

    // The query as this search runs it.
    CompiledQuery Compile(const QueryNode& query) const;
    std::int64_t Count(const CompiledQuery& query);
    // The ids of the hits from `offset` on, at most `limit`; relevance is newest first for a
    // query without words.
    std::vector<std::int64_t> Ids(const CompiledQuery& query, SortOrder order, std::int64_t limit,
                                  std::int64_t offset);
    // A hit's fields and its snippet for the query's words.
    SearchHit Hit(std::int64_t id, const CompiledQuery& query);

  private:
    std::string From(const CompiledQuery& query, bool ranked) const;
    static void BindAll(Statement& statement, const CompiledQuery& query);

    Sqlite& db_;
    std::string table_;
    FtsTokenizer tokenizer_;
};

}  // namespace ombrel::cli
