#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mime/EncodedWords.h"
#include "mime/HeaderParameters.h"

namespace ombrel {

struct ParsedMessage;

// What the parse of a message works in, kept by the message's root from one message to the next,
// so that parsing reuses memory instead of allocating it.
struct ParseBuffers {
    HeaderTextBuffers headerText;
    std::u16string text;  // a header value or a line in UTF-16, for as long as it is looked at
    HeaderParameters parameters;
    // The parts of earlier messages, up to kKeptSpareParts: a message of many parts does not
    // leave them all behind.
    std::vector<std::unique_ptr<ParsedMessage>> spareParts;
    static constexpr std::size_t kKeptSpareParts = 64;

    // A part for the next message: a spare one, or a new one.
    std::unique_ptr<ParsedMessage> TakePart();
};

}  // namespace ombrel
