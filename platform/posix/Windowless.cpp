#include "platform/posix/Windowless.h"

#include <cstdio>

#include "platform/posix/Utf8Conversion.h"

namespace ombrel::platform::posix {
namespace {

class DroppedJobView final : public JobView {
  public:
    void AppendLogLine(const WideString& /*line*/) override {}
    void SetProgressRange(std::int32_t /*maximum*/) override {}
    void SetProgressStep(std::int32_t /*step*/) override {}
    void SetProgressPosition(std::int32_t /*position*/) override {}
    void StepProgress() override {}
    void PostJobEnded() override {}
};

}  // namespace

int StderrMessageBoxes::Show(WindowHandle /*owner*/, const WideString& text,
                             const WideString& caption, std::uint32_t /*style*/) {
    std::fprintf(stderr, "%s: %s\n", WideToUtf8(caption.View()).c_str(),
                 WideToUtf8(text.View()).c_str());
    return 0;
}

std::intptr_t WindowlessDialogs::RunModal(std::uint32_t /*templateId*/, WindowHandle /*owner*/,
                                          DialogProcedure& /*procedure*/) {
    return -1;
}

std::unique_ptr<JobView> WindowlessJobViews::ForDialog(WindowHandle /*dialog*/) {
    return std::make_unique<DroppedJobView>();
}

}  // namespace ombrel::platform::posix
