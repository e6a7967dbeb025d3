#include <gmime/gmime.h>

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "bench/store/Runs.h"

namespace ombrel::bench {

// What a run found, kept so that its work is not optimised away.
volatile std::size_t unitsSeen = 0;
namespace {

// What the e-mail event takes from one message.
struct Collected {
    GMimeTextPart* plain = nullptr;
    GMimeTextPart* html = nullptr;
    std::size_t attachmentNames = 0;
};

void CollectPart(GMimeObject* /*parent*/, GMimeObject* part, gpointer data) {
    auto& collected = *static_cast<Collected*>(data);
    if (GMIME_IS_TEXT_PART(part) && !g_mime_part_is_attachment(GMIME_PART(part))) {
        GMimeContentType* type = g_mime_object_get_content_type(part);
        if (collected.plain == nullptr && g_mime_content_type_is_type(type, "text", "plain")) {
            collected.plain = GMIME_TEXT_PART(part);
        } else if (collected.html == nullptr && g_mime_content_type_is_type(type, "text", "html")) {
            collected.html = GMIME_TEXT_PART(part);
        }
    } else if (GMIME_IS_PART(part)) {
        if (const char* name = g_mime_part_get_filename(GMIME_PART(part))) {
            collected.attachmentNames += std::strlen(name);
        }
    }
}

// A header's decoded text in UTF-16, as the event carries it.
std::size_t HeaderUnits(InternetAddressList* list) {
    if (list == nullptr) return 0;
    char* text = internet_address_list_to_string(list, nullptr, FALSE);
    if (text == nullptr) return 0;  // an empty list
    glong units = 0;
    gunichar2* wide = g_utf8_to_utf16(text, -1, nullptr, &units, nullptr);
    g_free(wide);
    g_free(text);
    return static_cast<std::size_t>(units);
}

std::size_t IndexMessage(GMimeMessage* message) {
    std::size_t units = 0;
    if (const char* subject = g_mime_message_get_subject(message)) {
        glong length = 0;
        g_free(g_utf8_to_utf16(subject, -1, nullptr, &length, nullptr));
        units += static_cast<std::size_t>(length);
    }
    units += HeaderUnits(g_mime_message_get_from(message));
    units += HeaderUnits(g_mime_message_get_to(message));
    units += HeaderUnits(g_mime_message_get_cc(message));
    units += HeaderUnits(g_mime_message_get_bcc(message));
    units += HeaderUnits(g_mime_message_get_reply_to(message));

    Collected collected;
    g_mime_message_foreach(message, CollectPart, &collected);
    if (GMimeTextPart* chosen = collected.plain != nullptr ? collected.plain : collected.html) {
        // Null when the text does not convert from its charset.
        if (char* text = g_mime_text_part_get_text(chosen)) {
            glong length = 0;
            g_free(g_utf8_to_utf16(text, -1, nullptr, &length, nullptr));
            g_free(text);
            units += static_cast<std::size_t>(length);
        }
    }
    return units + collected.attachmentNames;
}

}  // namespace

Run RunGmime(const std::vector<const MappedBase*>& bases) {
    g_mime_init();
    Run run;
    std::size_t units = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const MappedBase* base : bases) {
        // The stream maps the base itself and closes its own descriptor.
        GMimeStream* whole = g_mime_stream_mmap_new(dup(base->Descriptor()), PROT_READ, MAP_SHARED);
        for (const MappedBase::Span& span : base->Messages()) {
            const auto offset = static_cast<gint64>(span.offset);
            GMimeStream* text = g_mime_stream_substream(whole, offset, offset + span.size);
            GMimeParser* parser = g_mime_parser_new_with_stream(text);
            if (GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr)) {
                units += IndexMessage(message);
                g_object_unref(message);
            }
            g_object_unref(parser);
            g_object_unref(text);
            ++run.messages;
            run.bytes += span.size;
        }
        g_object_unref(whole);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    run.seconds = took.count();
    unitsSeen = units;
    return run;
}

}  // namespace ombrel::bench
