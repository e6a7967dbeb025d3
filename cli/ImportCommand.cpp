#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/DatabaseIndexer.h"
#include "cli/DatabaseLocation.h"
#include "common/CalendarMath.h"
#include "indexer/EmailEvent.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

constexpr std::uint16_t kVariantDate = 7;
constexpr double kDaysTo1970 = 25569.0;

// A VT_DATE value of "YYYY-MM-DDTHH:MM:SSZ", the form the event lines give times in.
std::optional<double> IsoDays(const std::string& text) {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (std::sscanf(text.c_str(), "%4d-%2u-%2uT%2d:%2d:%2d", &year, &month, &day, &hour, &minute,
                    &second) != 6) {
        return std::nullopt;
    }
    const double seconds = (hour * 60.0 + minute) * 60.0 + second;
    return static_cast<double>(DaysFromCivil(year, month, day)) + kDaysTo1970 + seconds / 86400.0;
}

// One event line's properties, read by SQLite's JSON functions: name, declared variant type
// (0 when the line does not say), JSON type and value. Lines of the stand-in host's receive run
// list "properties"; the lines of its indexing passes give the fields as members of "event".
constexpr const char* kPropertiesSql = R"sql(
    SELECT json_extract(value, '$.name'), json_extract(value, '$.type'),
           json_type(value, '$.value'), json_extract(value, '$.value')
    FROM json_each(?1, '$.event.properties')
    WHERE json_type(?1, '$.event.properties') = 'array'
    UNION ALL
    SELECT key, 0, type, value FROM json_each(?1, '$.event')
    WHERE json_type(?1, '$.event.properties') IS NULL)sql";

void PutValue(EmailRecord& record, const Statement& property) {
    const std::u16string name = platform::posix::Utf8ToWide(property.Text(0));
    const std::string type = property.Text(2);
    if (property.Integer(1) == kVariantDate && (type == "real" || type == "integer")) {
        record.Put(name, platform::VariantDate{property.Real(3)});
    } else if (type == "integer") {
        record.Put(name, static_cast<std::uint32_t>(property.Integer(3)));
    } else if (type == "text" && name == u"received") {
        if (const std::optional<double> days = IsoDays(property.Text(3))) {
            record.Put(name, platform::VariantDate{*days});
        }
    } else if (type == "text") {
        record.Put(name, platform::posix::Utf8ToWide(property.Text(3)));
    }
}

struct ImportCounts {
    int imported = 0;
    int known = 0;    // already in the index
    int other = 0;    // JSON lines without an e-mail event
    int notJson = 0;  // lines that are not JSON (a program's other output)
};

}  // namespace

int ImportCommand(const std::vector<std::string>& arguments) {
    const CommandLine line(arguments, {"--db"}, {});
    if (line.operands.size() != 1) throw UsageError("import takes one EVENTS.jsonl file");
    const std::string& file = line.operands[0];
    std::ifstream events(file, std::ios::binary);
    if (!events) throw std::runtime_error(file + ": cannot be read");
    const std::string database = DatabaseFile(line, true);
    MailIndex index(database, Sqlite::Mode::kReadWrite);
    ReportUpgrade(index, database);
    Sqlite& db = index.Database();

    // Whether the line is an e-mail event, whether it is JSON, and the event as compact JSON.
    Statement event(db, R"sql(
        SELECT CASE WHEN json_valid(?1) THEN json_type(?1, '$.event') = 'object'
                    AND ifnull(json_extract(?1, '$.event.schema'), ?2) = ?2 ELSE 0 END,
               json_valid(?1),
               CASE WHEN json_valid(?1) THEN json(json_extract(?1, '$.event')) END)sql");
    Statement properties(db, kPropertiesSql);
    const std::string schema = platform::posix::WideToUtf8(kEmailSchema);
    ImportCounts counts;
    Transaction transaction(db);
    for (std::string text; std::getline(events, text);) {
        if (text.empty() || text == "\r") continue;
        event.Bind(1, text).Bind(2, schema);
        event.Step();
        const bool isEvent = event.Integer(0) != 0;
        const bool isJson = event.Integer(1) != 0;
        const std::string key = isEvent ? event.Text(2) : std::string();
        event.Reset();
        if (!isEvent) {
            ++(isJson ? counts.other : counts.notJson);
            continue;
        }
        EmailRecord record;
        properties.Bind(1, text);
        while (properties.Step()) PutValue(record, properties);
        properties.Reset();
        ++(index.AddMessage(record, {std::nullopt, 0, key}) ? counts.imported : counts.known);
    }
    if (events.bad()) throw std::runtime_error(file + ": cannot be read");
    transaction.Commit();
    std::printf(
        "imported %d events from %s (already in the index: %d; other lines: %d; not JSON: %d); "
        "the index holds %lld messages\n",
        counts.imported, file.c_str(), counts.known, counts.other, counts.notJson,
        static_cast<long long>(index.MessageCount()));
    index.Database().EndWriteAheadLog();  // readers need not write it to read it
    return 0;
}

}  // namespace ombrel::cli
