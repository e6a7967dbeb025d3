#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/posix/PosixPlatform.h"
#include "tests/support/StandInIndexer.h"

namespace ombrel::fuzz {

// The posix ports for one run of a fuzz target, with the ANSI code page chosen by the input's
// first byte (Western, Cyrillic, Greek and the four double-byte pages), so that every reader runs
// on single- and double-byte code pages alike.
class FuzzPlatform {
  public:
    FuzzPlatform(const std::uint8_t*& data, std::size_t& size)
        : ports_(Platform().MakePorts(&Indexer())) {
        static constexpr std::array<std::uint32_t, 7> kAnsiCodePages = {1252, 1251, 1253, 932,
                                                                        936,  949,  950};
        std::uint32_t codePage = kAnsiCodePages[0];
        if (size > 0) {
            codePage = kAnsiCodePages.at(data[0] % kAnsiCodePages.size());
            ++data;
            --size;
        }
        Platform().codePages.SetAnsiCodePage(codePage);
    }

  private:
    static platform::posix::PosixPlatform& Platform() {
        static platform::posix::PosixPlatform platform;
        return platform;
    }

    // The indexer behind the port; no fuzz target sends through it.
    static standin::StandInIndexer& Indexer() {
        static standin::IndexerJournal journal;
        static standin::StandInIndexer indexer(journal);
        return indexer;
    }

    platform::ScopedPorts ports_;
};

}  // namespace ombrel::fuzz
