#include "cli/Query.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>

namespace ombrel::cli {
namespace {

using Node = std::unique_ptr<QueryNode>;

struct Token {
    enum class Kind { kEnd, kOpen, kClose, kAnd, kOr, kNot, kMinus, kWord, kPhrase };
    Kind kind = Kind::kEnd;
    std::string text;       // of a word or phrase; for a field's value, the value
    std::string field;      // the field's name before ':', or empty
    std::size_t start = 0;  // from 0
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EndsWord(char c) {
    return IsBlank(c) || c == '(' || c == ')' || c == '"';
}

// Whether the text holds something a word is made of: a letter or digit, or any character beyond
// ASCII (the index's tokenizer decides which of those count).
bool HasWordCharacter(std::string_view text) {
    return std::ranges::any_of(text, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || (byte >= '0' && byte <= '9') ||
               ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
    });
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

class Lexer {
  public:
    explicit Lexer(std::string_view query) : query_(query) {}

    Token Next() {
        while (at_ < query_.size() && IsBlank(query_[at_])) ++at_;
        Token token;
        token.start = at_;
        if (at_ == query_.size()) return token;
        const char c = query_[at_];
        if (c == '(' || c == ')') {
            ++at_;
            token.kind = c == '(' ? Token::Kind::kOpen : Token::Kind::kClose;
        } else if (c == '"') {
            token.kind = Token::Kind::kPhrase;
            token.text = Quoted();
        } else if (c == '-' && at_ + 1 < query_.size() && !EndsWord(query_[at_ + 1])) {
            ++at_;
            token.kind = Token::Kind::kMinus;
        } else {
            Word(token);
        }
        return token;
    }

  private:
    // The phrase from the quote at the cursor to the next quote.
    std::string Quoted() {
        const std::size_t open = at_;
        const std::size_t close = query_.find('"', open + 1);
        if (close == std::string_view::npos) throw QueryError("the quote is not closed", open + 1);
        at_ = close + 1;
        return std::string(query_.substr(open + 1, close - open - 1));
    }

    void Word(Token& token) {
        const std::size_t start = at_;
        while (at_ < query_.size() && !EndsWord(query_[at_])) ++at_;
        const std::string_view word = query_.substr(start, at_ - start);
        token.kind = Token::Kind::kWord;
        if (word == "AND" || word == "OR" || word == "NOT") {
            token.kind = word == "AND"  ? Token::Kind::kAnd
                         : word == "OR" ? Token::Kind::kOr
                                        : Token::Kind::kNot;
            return;
        }
        const std::size_t colon = word.find(':');
        const bool named = colon != std::string_view::npos && colon > 0 &&
                           std::ranges::all_of(word.substr(0, colon), [](char c) {
                               return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
                           });
        if (!named) {
            token.text = word;
            return;
        }
        token.field = Lower(word.substr(0, colon));
        token.text = word.substr(colon + 1);
        if (token.text.empty() && at_ < query_.size() && query_[at_] == '"') {
            token.kind = Token::Kind::kPhrase;
            token.text = Quoted();
        }
    }

    std::string_view query_;
    std::size_t at_ = 0;
};

struct FieldName {
    std::string_view name;
    TextField field;
};
constexpr std::array<FieldName, 7> kTextFields = {{{"from", TextField::kFrom},
                                                   {"to", TextField::kTo},
                                                   {"cc", TextField::kCc},
                                                   {"subject", TextField::kSubject},
                                                   {"body", TextField::kBody},
                                                   {"attachment", TextField::kAttachment},
                                                   {"folder", TextField::kFolder}}};
constexpr const char* kFieldList =
    "from:, to:, cc:, subject:, body:, attachment:, folder:, "
    "date:, is:flagged, has:attachment";

// "YYYY-MM-DD 00:00:00" of a day.
std::string DayText(std::chrono::year_month_day day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u 00:00:00", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// One end of a date range: where it starts and where the span it names ends (a day, a month, a
// year; a relative date is a moment, so both are that moment).
struct DateSpan {
    std::string start;
    std::string end;
};

std::optional<DateSpan> AbsoluteDate(std::string_view text) {
    using namespace std::chrono;
    const std::optional<int> year = Number(text.substr(0, 4));
    if (!year || text.size() < 4 || *year < 1) return std::nullopt;
    if (text.size() == 4) {
        const year_month_day first{std::chrono::year(*year), January, 1d};
        return DateSpan{DayText(first), DayText(first + years(1))};
    }
    if (text[4] != '-' || text.size() < 7) return std::nullopt;
    const std::optional<int> month = Number(text.substr(5, 2));
    if (!month || *month < 1 || *month > 12) return std::nullopt;
    const year_month_day first{std::chrono::year(*year), std::chrono::month(*month), 1d};
    if (text.size() == 7) return DateSpan{DayText(first), DayText(first + months(1))};
    if (text[7] != '-' || text.size() != 10) return std::nullopt;
    const std::optional<int> dayNumber = Number(text.substr(8, 2));
    if (!dayNumber) return std::nullopt;
    const year_month_day day{first.year(), first.month(),
                             std::chrono::day(static_cast<unsigned>(*dayNumber))};
    if (!day.ok()) return std::nullopt;
    return DateSpan{DayText(day), DayText(sys_days(day) + days(1))};
}

// The day of a time "YYYY-MM-DD HH:MM:SS" that the program gives.
std::chrono::year_month_day DayOf(const std::string& time) {
    return {std::chrono::year(std::stoi(time.substr(0, 4))),
            std::chrono::month(static_cast<unsigned>(std::stoi(time.substr(5, 2)))),
            std::chrono::day(static_cast<unsigned>(std::stoi(time.substr(8, 2))))};
}

// "today", "yesterday", or so long before `now`: "7d", "2w", "3m", "1y" (a moment, so its span
// is empty).
std::optional<DateSpan> RelativeDate(std::string_view text, const std::string& now) {
    using namespace std::chrono;
    const year_month_day today = DayOf(now);
    if (text == "today") return DateSpan{DayText(today), DayText(sys_days(today) + days(1))};
    if (text == "yesterday") return DateSpan{DayText(sys_days(today) - days(1)), DayText(today)};
    if (text.size() < 2) return std::nullopt;
    const std::optional<int> count = Number(text.substr(0, text.size() - 1));
    if (!count || *count < 0 || *count > 100000) return std::nullopt;
    year_month_day then{};
    switch (text.back()) {
        case 'd':
            then = sys_days(today) - days(*count);
            break;
        case 'w':
            then = sys_days(today) - days(7 * *count);
            break;
        case 'm':
            then = today - months(*count);
            break;
        case 'y':
            then = today - years(*count);
            break;
        default:
            return std::nullopt;
    }
    if (!then.ok()) then = then.year() / then.month() / last;  // 31 March less a month
    const std::string moment = DayText(then).substr(0, 11) + now.substr(11);
    return DateSpan{moment, moment};
}

class Parser {
  public:
    Parser(std::string_view query, const std::string& now) : lexer_(query), now_(now) { Advance(); }

    Node Query() {
        if (token_.kind == Token::Kind::kEnd) throw QueryError("the query is empty", 1);
        Node node = Or();
        if (token_.kind == Token::Kind::kClose) {
            throw QueryError("')' has no '(' before it", token_.start + 1);
        }
        if (token_.kind != Token::Kind::kEnd) Unexpected();
        return node;
    }

  private:
    void Advance() { token_ = lexer_.Next(); }

    [[noreturn]] void Unexpected() const {
        switch (token_.kind) {
            case Token::Kind::kEnd:
                throw QueryError("the query ends where a word was expected", token_.start + 1);
            case Token::Kind::kClose:
                throw QueryError("')' where a word was expected", token_.start + 1);
            default:
                throw QueryError("AND or OR where a word was expected", token_.start + 1);
        }
    }

    static Node Join(QueryNode::Kind kind, std::vector<Node> children) {
        if (children.size() == 1) return std::move(children.front());
        auto node = std::make_unique<QueryNode>();
        node->kind = kind;
        node->children = std::move(children);
        return node;
    }

    Node Or() {
        std::vector<Node> children;
        children.push_back(And());
        while (token_.kind == Token::Kind::kOr) {
            Advance();
            children.push_back(And());
        }
        return Join(QueryNode::Kind::kOr, std::move(children));
    }

    bool StartsTerm() const {
        return token_.kind != Token::Kind::kEnd && token_.kind != Token::Kind::kClose &&
               token_.kind != Token::Kind::kOr && token_.kind != Token::Kind::kAnd;
    }

    Node And() {
        std::vector<Node> children;
        children.push_back(Unary());
        while (true) {
            if (token_.kind == Token::Kind::kAnd) {
                Advance();
            } else if (!StartsTerm()) {
                break;
            }
            children.push_back(Unary());
        }
        return Join(QueryNode::Kind::kAnd, std::move(children));
    }

    Node Unary() {
        if (token_.kind != Token::Kind::kNot && token_.kind != Token::Kind::kMinus) {
            return Primary();
        }
        Advance();
        auto node = std::make_unique<QueryNode>();
        node->kind = QueryNode::Kind::kNot;
        node->children.push_back(Unary());
        return node;
    }

    Node Primary() {
        if (token_.kind == Token::Kind::kOpen) {
            const std::size_t open = token_.start;
            Advance();
            Node inner = Or();
            if (token_.kind != Token::Kind::kClose) {
                if (token_.kind == Token::Kind::kEnd) {
                    throw QueryError("'(' is not closed", open + 1);
                }
                Unexpected();
            }
            Advance();
            return inner;
        }
        if (token_.kind != Token::Kind::kWord && token_.kind != Token::Kind::kPhrase) Unexpected();
        if (++terms_ > kMaxQueryTerms) {
            throw QueryError("the query has more than " + std::to_string(kMaxQueryTerms) + " terms",
                             token_.start + 1);
        }
        Node node = token_.field.empty() ? Text(TextField::kAny) : Field();
        Advance();
        return node;
    }

    Node Text(TextField field) const {
        auto node = std::make_unique<QueryNode>();
        node->field = field;
        node->text = token_.text;
        if (token_.kind == Token::Kind::kWord && node->text.ends_with('*')) {
            node->prefix = true;
            node->text.pop_back();
        }
        if (!HasWordCharacter(node->text)) {
            throw QueryError("\"" + token_.text + "\" has no word to search for", token_.start + 1);
        }
        return node;
    }

    Node Field() const {
        const std::size_t valueAt = token_.start + token_.field.size() + 2;
        if (token_.text.empty()) {
            throw QueryError(token_.field + ": has no value", token_.start + 1);
        }
        for (const FieldName& known : kTextFields) {
            if (known.name == token_.field) return Text(known.field);
        }
        auto node = std::make_unique<QueryNode>();
        const std::string value = Lower(token_.text);
        if (token_.field == "date" && token_.kind == Token::Kind::kWord) {
            node->kind = QueryNode::Kind::kDate;
            DateRange(token_.text, valueAt, *node);
        } else if (token_.field == "is" && value == "flagged") {
            node->kind = QueryNode::Kind::kFlagged;
        } else if (token_.field == "is" && (value == "unread" || value == "replied")) {
            throw QueryError("is:" + value +
                                 " cannot be searched: the folders' indexes do not record it, "
                                 "only is:flagged",
                             valueAt);
        } else if (token_.field == "has" && value == "attachment") {
            node->kind = QueryNode::Kind::kHasAttachment;
        } else if (token_.field == "is" || token_.field == "has") {
            throw QueryError(
                token_.field + ":" + token_.text + " is not known (" + kFieldList + ")", valueAt);
        } else if (token_.field == "date") {
            throw QueryError("date: takes a day, a month, a year or a range, not a phrase",
                             valueAt);
        } else {
            throw QueryError("no field is called " + token_.field + ": (" + kFieldList + ")",
                             token_.start + 1);
        }
        return node;
    }

    std::optional<DateSpan> Date(std::string_view text) const {
        if (text.empty()) return DateSpan{};
        if (std::optional<DateSpan> absolute = AbsoluteDate(text)) return absolute;
        return RelativeDate(text, now_);
    }

    // A range takes in the whole span of its end; a single date is its span, and a relative date
    // alone the time since then.
    void DateRange(std::string_view text, std::size_t at, QueryNode& node) const {
        const std::size_t dots = text.find("..");
        const std::string_view first = text.substr(0, dots);
        const std::string_view second =
            dots == std::string_view::npos ? first : text.substr(dots + 2);
        const std::optional<DateSpan> from = Date(first);
        const std::optional<DateSpan> until = Date(second);
        if (!from || !until || (first.empty() && second.empty())) {
            throw QueryError("date:" + std::string(text) +
                                 " is not a date (2006-01-15, 2006-01, 2006, today, yesterday, "
                                 "7d, 2w, 3m, 1y) or a range of them (A..B, A.., ..B)",
                             at);
        }
        node.from = from->start;
        node.until =
            dots == std::string_view::npos && from->start == from->end ? std::string() : until->end;
    }

    Lexer lexer_;
    const std::string& now_;
    Token token_;
    std::size_t terms_ = 0;
};

}  // namespace

std::unique_ptr<QueryNode> ParseQuery(std::string_view query, const std::string& now) {
    if (query.size() > kMaxQueryBytes) {
        throw QueryError("the query is longer than " + std::to_string(kMaxQueryBytes) + " bytes",
                         kMaxQueryBytes + 1);
    }
    return Parser(query, now).Query();
}

}  // namespace ombrel::cli
