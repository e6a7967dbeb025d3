#include "platform/win32/Win32JobViews.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace ombrel::platform::win32 {
namespace {

constexpr int kLogList = 208;
constexpr int kProgressBar = 209;
// Inserted at this index an item goes last while the list holds fewer items; scrolling down by
// as many pixels shows the newest line.
constexpr int kLastItem = 8191;

class Win32JobView final : public JobView {
  public:
    explicit Win32JobView(HWND dialog) : dialog_(dialog) {}

    void AppendLogLine(const WideString& line) override {
        std::wstring text(line.View().begin(), line.View().end());
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = kLastItem;
        item.pszText = text.data();
        SendDlgItemMessageW(dialog_, kLogList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SendDlgItemMessageW(dialog_, kLogList, LVM_SCROLL, 0, kLastItem);
    }
    void SetProgressRange(std::int32_t maximum) override {
        SendDlgItemMessageW(dialog_, kProgressBar, PBM_SETRANGE32, 0, maximum);
    }
    void SetProgressStep(std::int32_t step) override {
        SendDlgItemMessageW(dialog_, kProgressBar, PBM_SETSTEP, step, 0);
    }
    void SetProgressPosition(std::int32_t position) override {
        SendDlgItemMessageW(dialog_, kProgressBar, PBM_SETPOS, position, 0);
    }
    void StepProgress() override { SendDlgItemMessageW(dialog_, kProgressBar, PBM_STEPIT, 0, 0); }
    void PostJobEnded() override { PostMessageW(dialog_, WM_USER + 1, 0, 0); }

  private:
    HWND dialog_;
};

}  // namespace

std::unique_ptr<JobView> Win32JobViews::ForDialog(WindowHandle dialog) {
    return std::make_unique<Win32JobView>(static_cast<HWND>(dialog));
}

}  // namespace ombrel::platform::win32
