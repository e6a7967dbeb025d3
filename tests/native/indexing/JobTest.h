#pragma once

#include <string>
#include <vector>

#include "host/PluginState.h"
#include "indexing/IndexingJob.h"
#include "tests/support/NativeTestPlatform.h"
#include "tests/support/TestMailbox.h"

namespace ombrel::testing {

// An initialised library whose account list holds the mailbox's account "Main", with the job's
// dialog recording what the job shows.
class JobTest : public PluginTest {
  protected:
    JobTest();
    ~JobTest() override;

    // Runs a job to its end, as the dialog does until the worker's end-of-job notice arrives.
    void RunJobToEnd();

    // The log lines, and every update of the dialog in order ("log Main\Inbox (3)", "range 3",
    // "step 1", "position 0", "stepit", "ended"); texts are ASCII in these tests.
    std::vector<std::string> Log() const;
    std::vector<std::string> Updates() const;

    // The messages' subjects as the indexer received them, in order.
    std::vector<std::string> Subjects() const;

    static StoredMessage Message(const std::string& subject, std::int32_t time,
                                 std::uint32_t status = 0);

    TestMailbox mailbox;
    platform::WindowHandle dialog = reinterpret_cast<platform::WindowHandle>(0x1234);
};

std::string Ascii(std::u16string_view text);

}  // namespace ombrel::testing
