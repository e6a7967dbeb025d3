#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel::cli {

// A query that does not parse, or asks for more than a search may cost: the message says what is
// wrong and `Position()` where (1 for the first byte of the query).
class QueryError : public std::runtime_error {
  public:
    QueryError(const std::string& message, std::size_t position)
        : std::runtime_error(message + " at position " + std::to_string(position)),
          position_(position) {}
    std::size_t Position() const { return position_; }

  private:
    std::size_t position_;
};

// The fields a word can be looked for in; kAny is every text the index holds of a message.
enum class TextField { kAny, kFrom, kTo, kCc, kSubject, kBody, kAttachment, kFolder };

// A query as parsed: words, phrases and the conditions of the fields, joined by AND, OR and NOT.
struct QueryNode {
    enum class Kind { kAnd, kOr, kNot, kText, kDate, kFlagged, kHasAttachment };

    Kind kind = Kind::kText;
    std::vector<std::unique_ptr<QueryNode>> children;  // of kAnd, kOr (two or more), kNot (one)
    // kText: the words, one word or a phrase, and whether the last word is a prefix.
    TextField field = TextField::kAny;
    std::string text;
    bool prefix = false;
    // kDate: received at `from` or later and before `until` ("YYYY-MM-DD HH:MM:SS"; empty: no
    // bound).
    std::string from;
    std::string until;
};

// The bounds on what one query may ask: beyond them a query is refused rather than run.
inline constexpr std::size_t kMaxQueryBytes = 1024;
inline constexpr std::size_t kMaxQueryTerms = 32;

// Parses the query language of `ombrel search` (see `ombrel help search`). `now` is the time that
// relative dates count back from, "YYYY-MM-DD HH:MM:SS". Throws QueryError.
std::unique_ptr<QueryNode> ParseQuery(std::string_view query, const std::string& now);

}  // namespace ombrel::cli
