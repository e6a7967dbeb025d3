#pragma once

#include <gtest/gtest.h>

#include "tests/support/IndexerJournal.h"
#include "tests/support/StandInIndexer.h"
#include "tests/support/posix/ModelPlatform.h"

namespace ombrel::testing {

// The posix platform and the stand-in indexer that native tests run on, installed as the current
// ports for each test and cleared between tests. The platform starts as a machine with the host
// installed and the library registered (see InstallHostEnvironment), and the library's COM module
// is set up as loading the library does.
class PluginTest : public ::testing::Test {
  protected:
    PluginTest();
    ~PluginTest() override;

    platform::posix::ModelPlatform posix;
    standin::IndexerJournal journal;
    standin::StandInIndexer indexer{journal};

  private:
    platform::ScopedPorts ports_;
};

// Puts the module-global plug-in state back to how a fresh load leaves it.
void ResetPluginState();

}  // namespace ombrel::testing
