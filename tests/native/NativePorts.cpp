// The native suite runs on the posix ports, installed once for the whole run as the Wine core
// suite installs the Windows ones; fixtures install their own over them.
#include <gtest/gtest.h>

#include "platform/posix/PosixPlatform.h"
#include "tests/support/StandInIndexer.h"

namespace ombrel {
namespace {

class PosixPortsEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override { platform::InstallPorts(posix_.MakePorts(&indexer_)); }

  private:
    platform::posix::PosixPlatform posix_;
    standin::IndexerJournal journal_;
    standin::StandInIndexer indexer_{journal_};
};

// The test program owns the environment.
::testing::Environment* const kPosixPorts =
    ::testing::AddGlobalTestEnvironment(new PosixPortsEnvironment);

}  // namespace
}  // namespace ombrel
