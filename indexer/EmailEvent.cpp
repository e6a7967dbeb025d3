#include "indexer/EmailEvent.h"

#include <memory>
#include <vector>

#include "common/Exceptions.h"
#include "host/PluginState.h"
#include "indexer/IndexerIds.h"
#include "indexing/StopCheck.h"
#include "mime/BodyDecoding.h"
#include "platform/Clock.h"
#include "platform/Indexer.h"
#include "platform/Ports.h"

namespace ombrel {
namespace {

using PartList = std::vector<const ParsedMessage*>;

// The parts of the message by what the event makes of them.
struct CollectedParts {
    PartList html;
    PartList plain;
    PartList attachments;  // binary parts first, then attachments

    explicit CollectedParts(const ParsedMessage& message) {
        collectTextParts(message, html, plain);
        collectParts(message, PartKind::Binary, attachments);
        collectParts(message, PartKind::Attachment, attachments);
    }
};

platform::VariantDate ReceivedDate(const SystemTime& received) {
    double days = 0.0;
    const platform::Clock* clock = platform::CurrentPorts().clock;
    if (clock == nullptr || !clock->ToVariantTime(received, days)) days = 0.0;
    return {days};
}

void PutText(platform::IndexerEvent& event, const char16_t* name, const WideString& text) {
    if (!text.IsEmpty()) event.PutProperty(name, text.Std());
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

std::uint32_t MailFlags(const ParsedMessage& message, const CollectedParts& parts) {
    std::uint32_t flags = 0;
    if (message.statusFlag) flags |= 1U;
    if (!parts.attachments.empty()) flags |= 2U;
    return flags;
}

// The body text of the first candidate part that decodes, announcing its format; when none
// decodes, what the last attempt left and no format.
WideString BodyText(platform::IndexerEvent& event, const CollectedParts& parts) {
    // HTML when it is preferred or the only text there is.
    const bool preferHtml = State().activeConfig.preferHtml != 0;
    const PartList* candidates = nullptr;
    const char16_t* format = nullptr;
    if (!parts.html.empty() && (preferHtml || parts.plain.empty())) {
        candidates = &parts.html;
        format = u"text/html";
    } else if (!parts.plain.empty()) {
        candidates = &parts.plain;
        format = u"text/plain";
    }
    WideString text;
    if (candidates == nullptr) return text;
    for (const ParsedMessage* part : *candidates) {
        if (decodeBody(*part, text)) {
            event.PutProperty(u"format", std::u16string(format));
            break;
        }
    }
    return text;
}

// "[name]" for each attachment in list order, names possibly empty.
WideString AttachmentText(const CollectedParts& parts) {
    WideString text;
    for (const ParsedMessage* part : parts.attachments) {
        text += u'[';
        text += part->content.filename;
        text += u']';
    }
    return text;
}

void PutProperties(platform::IndexerEvent& event, const ParsedMessage& message,
                   const SystemTime& received, const WideString& folderPath) {
    const CollectedParts parts(message);
    PutHeaders(event, message, received);
    event.PutProperty(u"mail_flags", MailFlags(message, parts));
    // Built in one buffer of its final size and handed over, not copied: the body may be large.
    const WideString body = BodyText(event, parts);
    const WideString attachments = AttachmentText(parts);
    std::u16string content;
    content.reserve(body.View().size() + 1 + attachments.View().size());
    content.append(body.View()).append(1, u'\n').append(attachments.View());
    event.PutProperty(u"content", platform::PropertyValue(std::move(content)));
    PutText(event, u"folder_name", folderPath);
}

bool EndsTheCallersWork(HResult result) {
    return result == indexer::kComponentDisabled || result == indexer::kServiceNotRunning ||
           result == indexer::kIndexingPaused;
}

}  // namespace

HResult SubmitEmailEvent(const ParsedMessage& message, const SystemTime& received,
                         const WideString& folderPath) {
    CheckForStop();
    platform::EventFactory* factory = State().eventFactory.get();
    if (factory == nullptr) return hr::kPointer;  // not initialised: nothing can be made

    std::unique_ptr<platform::IndexerEvent> event;
    HResult result = factory->MakeEvent(indexer::kComponentIdString, kEmailSchema, event);
    if (Succeeded(result) && event) {
        PutProperties(*event, message, received, folderPath);
        result = event->Submit(kEmailSendFlags);
    }
    if (EndsTheCallersWork(result)) throw CKVRFailException(result);
    CheckForStop();
    return result;
}

}  // namespace ombrel
