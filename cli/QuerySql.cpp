#include "cli/QuerySql.h"

#include <algorithm>

namespace ombrel::cli {
namespace {

// The columns of the full-text tables that a field searches.
std::string_view Columns(TextField field) {
    switch (field) {
        case TextField::kFrom:
            return "{sender} : ";
        case TextField::kTo:
            return "{recipients cc bcc} : ";
        case TextField::kCc:
            return "{cc} : ";
        case TextField::kSubject:
            return "{subject} : ";
        case TextField::kBody:
            return "{body} : ";
        case TextField::kAttachment:
            return "{attachments} : ";
        case TextField::kFolder:
            return "{folder_path} : ";
        case TextField::kAny:
            break;
    }
    return {};
}

// What a node asks, in two halves that must both hold: an FTS5 expression and an SQL condition.
// A node of words only has no condition; `negated` says that it asks for messages that do not
// match its expression (which only AND can put to use in FTS5).
struct Part {
    std::string match;
    std::string condition;
    std::vector<std::string> parameters;
    bool negated = false;

    bool TextOnly() const { return condition.empty() && !match.empty(); }
};

class Compiler {
  public:
    explicit Compiler(std::string_view table) : table_(table) {}

    Part Compile(const QueryNode& node, bool positive) {
        switch (node.kind) {
            case QueryNode::Kind::kText:
                return Text(node, positive);
            case QueryNode::Kind::kNot: {
                Part inner = Compile(*node.children.front(), !positive);
                if (inner.TextOnly()) {
                    inner.negated = !inner.negated;
                    return inner;
                }
                return Part{{}, "NOT " + Condition(inner), std::move(inner.parameters)};
            }
            case QueryNode::Kind::kAnd:
                return And(node, positive);
            case QueryNode::Kind::kOr:
                return Or(node, positive);
            case QueryNode::Kind::kDate:
                return Date(node);
            case QueryNode::Kind::kFlagged:
                return {{}, "(m.mail_flags & 1) <> 0", {}};
            case QueryNode::Kind::kHasAttachment:
                return {{}, "(m.mail_flags & 2) <> 0", {}};
        }
        return {};
    }

    // The part as one SQL condition.
    std::string Condition(Part& part) const {
        std::string text;
        if (!part.match.empty()) {
            text = std::string(part.negated ? "NOT " : "") + "m.id IN (SELECT rowid FROM " +
                   std::string(table_) + " WHERE " + std::string(table_) + " MATCH ?)";
            part.parameters.insert(part.parameters.begin(), part.match);
            part.match.clear();
            part.negated = false;
        }
        if (!part.condition.empty()) {
            text = text.empty() ? part.condition : text + " AND " + part.condition;
        }
        return "(" + text + ")";
    }

    std::vector<MarkedTerm> marked;

  private:
    Part Text(const QueryNode& node, bool positive) {
        std::string match(Columns(node.field));
        match += '"';
        for (const char c : node.text) {
            match += c;
            if (c == '"') match += '"';
        }
        match += '"';
        if (node.prefix) match += '*';
        if (positive) marked.push_back({node.text, node.prefix});
        return {match, {}, {}};
    }

    static void Append(std::string& to, std::string_view separator, const std::string& more) {
        to += to.empty() ? "" : separator;
        to += more;
    }

    // Words with words join in one FTS5 expression ("a AND b NOT c"); the rest as SQL.
    Part And(const QueryNode& node, bool positive) {
        std::vector<std::string> wanted;
        std::vector<std::string> excluded;
        Part part;
        for (const auto& child : node.children) {
            Part compiled = Compile(*child, positive);
            if (compiled.TextOnly()) {
                std::vector<std::string>& list = compiled.negated ? excluded : wanted;
                if (std::ranges::find(list, compiled.match) == list.end()) {
                    list.push_back("(" + compiled.match + ")");
                }
                continue;
            }
            Append(part.condition, " AND ", compiled.condition);
            part.parameters.insert(part.parameters.end(), compiled.parameters.begin(),
                                   compiled.parameters.end());
        }
        for (const std::string& match : wanted) Append(part.match, " AND ", match);
        if (!excluded.empty()) {
            std::string any;
            for (const std::string& match : excluded) Append(any, " OR ", match);
            if (part.match.empty()) {
                Part none{any, {}, {}, true};
                Append(part.condition, " AND ", Condition(none));
                part.parameters.insert(part.parameters.end(), none.parameters.begin(),
                                       none.parameters.end());
            } else {
                part.match = "(" + part.match + ") NOT (" + any + ")";
            }
        }
        return part;
    }

    Part Or(const QueryNode& node, bool positive) {
        std::vector<Part> parts;
        for (const auto& child : node.children) parts.push_back(Compile(*child, positive));
        Part part;
        if (std::ranges::all_of(parts, [](const Part& p) { return p.TextOnly() && !p.negated; })) {
            std::vector<std::string> any;
            for (const Part& p : parts) {
                if (std::ranges::find(any, p.match) == any.end()) any.push_back(p.match);
            }
            for (const std::string& match : any) Append(part.match, " OR ", "(" + match + ")");
            return part;
        }
        for (Part& p : parts) {
            Append(part.condition, " OR ", Condition(p));
            part.parameters.insert(part.parameters.end(), p.parameters.begin(), p.parameters.end());
        }
        part.condition = "(" + part.condition + ")";
        return part;
    }

    static Part Date(const QueryNode& node) {
        Part part;
        if (!node.from.empty()) {
            part.condition = "m.received >= ?";
            part.parameters.push_back(node.from);
        }
        if (!node.until.empty()) {
            Append(part.condition, " AND ", "m.received < ?");
            part.parameters.push_back(node.until);
        }
        part.condition = "(" + part.condition + ")";
        return part;
    }

    std::string_view table_;
};

}  // namespace

CompiledQuery CompileQuery(const QueryNode& query, std::string_view textTable) {
    Compiler compiler(textTable);
    Part part = compiler.Compile(query, true);
    if (part.negated) {
        part.condition = compiler.Condition(part);
    }
    return {part.match, part.condition, part.parameters, compiler.marked};
}

}  // namespace ombrel::cli
