#pragma once

#include <functional>

#include "platform/ForwardingDiskFiles.h"

namespace ombrel::testing {

// The file port of the platform with one kind of fault injected from a given call on: reads that
// fail, reads that return fewer bytes than asked, or a file that shrinks between calls (the test's
// `shrink` runs once, just before the view is made).
class FaultyDiskFiles final : public platform::ForwardingDiskFiles {
  public:
    enum class Fault { kNone, kReadFails, kShortRead, kShrinkBeforeView };

    explicit FaultyDiskFiles(platform::DiskFiles& files) : ForwardingDiskFiles(files) {}

    // The fault comes at the `after`-th call (from 0) of the kind it concerns (Read for reads,
    // MapView and MapViewPart for the shrinking file) and, for reads, at every one after it.
    void Inject(Fault fault, int after, std::function<void()> shrink = {});
    // Calls that met the fault.
    int Faults() const { return faults_; }

    bool Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) override;
    const void* MapView(Handle mapping) override;
    const void* MapViewPart(Handle mapping, std::uint64_t offset, std::uint32_t length) override;

  private:
    // True when this call of the fault's kind meets it.
    bool Due(Fault kind);

    Fault fault_ = Fault::kNone;
    int after_ = 0;
    int calls_ = 0;
    int faults_ = 0;
    std::function<void()> shrink_;
};

}  // namespace ombrel::testing
