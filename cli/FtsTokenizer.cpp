#include "cli/FtsTokenizer.h"

#include <algorithm>
#include <array>
#include <vector>

namespace ombrel::cli {
namespace {

fts5_api* Fts5Api(Sqlite& db) {
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    db.Check(sqlite3_prepare_v2(db.Handle(), "SELECT fts5(?1)", -1, &statement, nullptr));
    sqlite3_bind_pointer(statement, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (api == nullptr) throw DatabaseError("this SQLite has no full-text search (FTS5)");
    return api;
}

int VisitToken(void* context, int /*flags*/, const char* token, int length, int start, int end) {
    const auto& visit = *static_cast<const FtsTokenizer::Visit*>(context);
    return visit(std::string_view(token, static_cast<std::size_t>(length)),
                 static_cast<std::size_t>(start), static_cast<std::size_t>(end))
               ? SQLITE_OK
               : SQLITE_DONE;
}

}  // namespace

FtsTokenizer::FtsTokenizer(Sqlite& db, bool stems) {
    fts5_api* api = Fts5Api(db);
    void* context = nullptr;
    const char* name = stems ? "porter" : "unicode61";
    db.Check(api->xFindTokenizer(api, name, &context, &methods_));
    std::array<const char*, 3> arguments = {"unicode61", "remove_diacritics", "2"};
    const char** first = stems ? arguments.data() : arguments.data() + 1;
    const int count = stems ? 3 : 2;
    db.Check(methods_.xCreate(context, first, count, &tokenizer_));
}

FtsTokenizer::~FtsTokenizer() {
    if (tokenizer_ != nullptr) methods_.xDelete(tokenizer_);
}

void FtsTokenizer::Tokenize(std::string_view text, const Visit& visit) const {
    constexpr std::size_t kMaxChunk = 1 << 30;  // the tokenizer counts in int
    methods_.xTokenize(tokenizer_, const_cast<Visit*>(&visit), FTS5_TOKENIZE_DOCUMENT, text.data(),
                       static_cast<int>(std::min(text.size(), kMaxChunk)), VisitToken);
}

std::vector<std::string> FtsTokenizer::Words(std::string_view text) const {
    std::vector<std::string> words;
    Tokenize(text, [&](std::string_view word, std::size_t, std::size_t) {
        words.emplace_back(word);
        return true;
    });
    return words;
}

}  // namespace ombrel::cli
