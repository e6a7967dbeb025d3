#include "cli/EmailRecord.h"

#include <cmath>
#include <cstdio>

#include "cli/HtmlText.h"
#include "common/CalendarMath.h"
#include "platform/posix/Utf8Conversion.h"

namespace ombrel::cli {
namespace {

using platform::posix::WideToUtf8;

// The content's last line, which holds the attachment names, starts after this offset.
std::size_t AttachmentLineStart(const std::string& content) {
    const std::size_t newline = content.rfind('\n');
    return newline == std::string::npos ? content.size() : newline + 1;
}

}  // namespace

void EmailRecord::Put(std::u16string_view name, const platform::PropertyValue& value) {
    if (const auto* date = std::get_if<platform::VariantDate>(&value)) {
        if (name == u"received") receivedDays = date->days;
        return;
    }
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        if (name == u"mail_flags") mailFlags = *number;
        return;
    }
    const std::string text = WideToUtf8(std::get<std::u16string_view>(value));
    struct Field {
        std::u16string_view name;
        std::string EmailRecord::*member;
    };
    static constexpr Field kFields[] = {{u"subject", &EmailRecord::subject},
                                        {u"from", &EmailRecord::from},
                                        {u"to", &EmailRecord::to},
                                        {u"cc", &EmailRecord::cc},
                                        {u"bcc", &EmailRecord::bcc},
                                        {u"replyto", &EmailRecord::replyTo},
                                        {u"content", &EmailRecord::content},
                                        {u"format", &EmailRecord::format},
                                        {u"folder_name", &EmailRecord::folderPath}};
    for (const Field& field : kFields) {
        if (field.name == name) this->*field.member = text;
    }
}

std::string EmailRecord::BodyText() const {
    if (stored) return stored->text.body;
    const std::size_t end = AttachmentLineStart(content);
    const std::string_view body =
        std::string_view(content).substr(0, end == content.size() ? end : end - 1);
    return format == "text/html" ? HtmlText(body) : std::string(body);
}

std::string EmailRecord::AttachmentNames() const {
    if (stored) return stored->text.attachments;
    return content.substr(AttachmentLineStart(content));
}

std::string EmailRecord::ReceivedText() const {
    if (!receivedDays || !std::isfinite(*receivedDays)) return {};
    constexpr double kDaysTo1970 = 25569.0;
    constexpr double kLimit = 3e11;  // seconds: far beyond any date a VT_DATE names
    const double seconds = std::round((*receivedDays - kDaysTo1970) * 86400.0);
    if (std::fabs(seconds) > kLimit) return {};
    const SystemTime t = TimeFromUnixSeconds(static_cast<std::int64_t>(seconds));
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

}  // namespace ombrel::cli
