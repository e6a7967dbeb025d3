#include "indexer/EmailEvent.h"

#include <memory>

#include "common/Exceptions.h"
#include "host/PluginState.h"
#include "indexing/StopCheck.h"
#include "mime/BodyDecoding.h"
#include "platform/Clock.h"
#include "platform/Indexer.h"
#include "platform/IndexerIds.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

platform::VariantDate ReceivedDate(const SystemTime& received) {
    double days = 0.0;
    if (!platform::CurrentPorts().clock->ToVariantTime(received, days)) days = 0.0;
    return {days};
}

void PutText(platform::IndexerEvent& event, const char16_t* name, const WideString& text) {
    if (!text.IsEmpty()) event.PutProperty(name, text.View());
}

void PutHeaders(platform::IndexerEvent& event, const ParsedMessage& message,
                const SystemTime& received) {
    event.PutProperty(u"received", ReceivedDate(received));
    PutText(event, u"subject", message.subject);
    PutText(event, u"from", message.from);
    PutText(event, u"to", message.to);
    PutText(event, u"cc", message.cc);
    PutText(event, u"bcc", message.bcc);
    // A reply address that the sender's text already names tells the indexer nothing new.
    if (message.from.Find(message.replyTo.CStr()) < 0) {
        PutText(event, u"replyto", message.replyTo);
    }
}

// Calls `visit` with each attachment: the binary parts first, then the attachments.
template <typename Visit>
void ForEachAttachment(const ParsedMessage& message, Visit visit) {
    forEachPart(message, PartKind::Binary, visit);
    forEachPart(message, PartKind::Attachment, visit);
}

std::uint32_t MailFlags(const ParsedMessage& message) {
    std::uint32_t flags = 0;
    if (message.statusFlag) flags |= 1U;
    ForEachAttachment(message, [&](const ParsedMessage&) { flags |= 2U; });
    return flags;
}

bool HasText(std::u16string_view text) {
    return text.find_first_not_of(u" \t\r\n\u00A0") != std::u16string_view::npos;
}

// Puts into `text` the body of the first part of the kind that decodes (with text, when
// `withText`); true when one did, else `text` holds what the last attempt left.
bool DecodeFirstPart(const ParsedMessage& owner, PartKind kind, bool withText, std::u16string& text,
                     std::string& bytes) {
    bool found = false;
    forEachOwnPart(owner, kind, [&](const ParsedMessage& part) {
        if (found) return;
        text.clear();
        found = AppendBodyText(part.content, text, bytes) && (!withText || HasText(text));
    });
    return found;
}

// Puts the body text into `text`, announcing its format: the first part with text of the
// candidates, the HTML parts when HTML is preferred or the only text there is, else the
// plain-text ones, and then the other kind, so that an empty part hides no text. Where no part
// has text: the first candidate that decodes, or what the last attempt left and no format.
void PutBodyText(platform::IndexerEvent& event, const ParsedMessage& message,
                 EventBuffers& buffers) {
    std::u16string& text = buffers.content;
    const ParsedMessage* owner = textPartsOwner(message);
    if (owner == nullptr) return;
    const bool html =
        hasOwnPart(*owner, PartKind::HtmlText) &&
        (State().activeConfig.preferHtml != 0 || !hasOwnPart(*owner, PartKind::PlainText));
    const PartKind chosen = html ? PartKind::HtmlText : PartKind::PlainText;
    const PartKind other = html ? PartKind::PlainText : PartKind::HtmlText;
    const struct {
        PartKind kind;
        bool withText;
    } attempts[] = {{chosen, true}, {other, true}, {chosen, false}};
    for (const auto& attempt : attempts) {
        if (DecodeFirstPart(*owner, attempt.kind, attempt.withText, text, buffers.bodyBytes)) {
            const bool isHtml = attempt.kind == PartKind::HtmlText;
            event.PutProperty(u"format",
                              std::u16string_view(isHtml ? u"text/html" : u"text/plain"));
            return;
        }
    }
}

// The content: the body text, a line end, and "[name]" for each attachment, names possibly empty.
// Built in one buffer that is kept for the next message: the body may be large.
void PutContent(platform::IndexerEvent& event, const ParsedMessage& message,
                EventBuffers& buffers) {
    std::u16string& content = buffers.content;
    content.clear();
    PutBodyText(event, message, buffers);
    content += u'\n';
    ForEachAttachment(message, [&](const ParsedMessage& part) {
        content += u'[';
        content += part.content.filename.View();
        content += u']';
    });
    event.PutProperty(u"content", std::u16string_view(content));
}

void PutProperties(platform::IndexerEvent& event, const ParsedMessage& message,
                   const SystemTime& received, const WideString& folderPath,
                   EventBuffers& buffers) {
    PutHeaders(event, message, received);
    event.PutProperty(u"mail_flags", MailFlags(message));
    PutContent(event, message, buffers);
    PutText(event, u"folder_name", folderPath);
}

bool EndsTheCallersWork(HResult result) {
    return result == indexer::kComponentDisabled || result == indexer::kServiceNotRunning ||
           result == indexer::kIndexingPaused;
}

}  // namespace

HResult SubmitEmailEvent(const ParsedMessage& message, const SystemTime& received,
                         const WideString& folderPath, EventBuffers& buffers) {
    CheckForStop();
    platform::EventFactory* factory = State().eventFactory.get();
    if (factory == nullptr) return hr::kPointer;  // not initialised: nothing can be made

    std::unique_ptr<platform::IndexerEvent> event;
    HResult result = factory->MakeEvent(indexer::kComponentIdString, kEmailSchema, event);
    if (Succeeded(result) && event) {
        PutProperties(*event, message, received, folderPath, buffers);
        result = event->Submit(kEmailSendFlags);
    }
    if (EndsTheCallersWork(result)) throw CKVRFailException(result);
    CheckForStop();
    return result;
}

HResult SubmitEmailEvent(const ParsedMessage& message, const SystemTime& received,
                         const WideString& folderPath) {
    EventBuffers buffers;
    return SubmitEmailEvent(message, received, folderPath, buffers);
}

}  // namespace ombrel
