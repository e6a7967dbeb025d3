#pragma once

#include <gtest/gtest.h>

#include "tests/support/IndexerJournal.h"
#include "tests/support/win32/ComStandInIndexer.h"
#include "tests/support/win32/HostRegistry.h"
#include "tests/support/win32/PluginLibrary.h"

namespace ombrel::wine {

// What the whole Wine suite shares: the stand-in indexer registered as COM classes, and the library
// loaded once, as a host loads it.
struct Suite {
    Suite();
    ~Suite();

    standin::IndexerJournal journal;
    standin::ComStandInIndexer indexer{journal};
    standin::PluginLibrary library;

    static Suite& Current();
};

// A test of the loaded library: starts with the stand-in registered, a clean journal, and the
// host installed with a fresh working directory and the library registered with the indexer. At
// its end it finalises the library and removes the host's and the library's registry entries.
class LibraryTest : public ::testing::Test {
  protected:
    LibraryTest();
    ~LibraryTest() override;

    std::wstring workingDirectory = standin::FreshTemporaryDirectory(L"ombrel-host");

    standin::PluginLibrary& library = Suite::Current().library;
    standin::IndexerJournal& journal = Suite::Current().journal;
    standin::ComStandInIndexer& indexer = Suite::Current().indexer;
};

}  // namespace ombrel::wine
