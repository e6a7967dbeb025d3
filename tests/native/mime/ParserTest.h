#pragma once

#include <string>
#include <vector>

#include "mime/BodyDecoding.h"
#include "mime/ParsedMessage.h"
#include "tests/support/NativeTestPlatform.h"

namespace ombrel::testing {

// Parses messages written by the tests; the text lives as long as the fixture.
class ParserTest : public PluginTest {
  protected:
    const ParsedMessage& Parse(std::string text, std::uint32_t ansiCodePage = 1252) {
        posix.codePages.SetAnsiCodePage(ansiCodePage);
        texts_.push_back(std::make_unique<std::string>(std::move(text)));
        message.reset();
        message.parse(texts_.back()->data(), texts_.back()->size());
        return message;
    }

    static std::string Body(const ParsedMessage& part) { return std::string(part.content.Body()); }

    static std::u16string Text(const ParsedMessage& part) {
        WideString text(u"(untouched)");
        decodeBody(part, text);
        return text.Std();
    }

    // The file names of the parts of a kind, in the order the parts stand.
    static std::vector<std::u16string> Names(const ParsedMessage& root, PartKind kind) {
        std::vector<const ParsedMessage*> parts;
        collectParts(root, kind, parts);
        std::vector<std::u16string> names;
        names.reserve(parts.size());
        for (const ParsedMessage* part : parts) names.push_back(part->content.filename.Std());
        return names;
    }

    static const ParsedMessage& Child(const ParsedMessage& part, std::size_t index) {
        return *part.children.at(index);
    }

    ParsedMessage message;

  private:
    std::vector<std::unique_ptr<std::string>> texts_;
};

}  // namespace ombrel::testing
