#pragma once

#include <cstdint>

#include "platform/Dialogs.h"

namespace ombrel {

// What the dialog shows: the settings view before a job, the indexing view while a job has been
// started (running or paused), and the indexing view after it has ended.
enum class DialogMode : std::int32_t { kSettings = 0, kIndexing = 1, kFinished = 2 };

// The mode, one for the library and all openings of the dialog.
DialogMode& CurrentDialogMode();

// The settings and indexing dialog: the accounts and folders with their check marks, the
// options of the configuration record, and the re-indexing job with its log, progress, pause
// and stop.
class SettingsDialog final : public platform::DialogProcedure {
  public:
    std::intptr_t Handle(platform::DialogView& view, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;

  private:
    static std::intptr_t Command(platform::DialogView& view, int id);
    static void Open(platform::DialogView& view);
    static void Ok(platform::DialogView& view);
    static void Cancel(platform::DialogView& view, int command);
    static void ReIndexOrPause(platform::DialogView& view);
    static void StartReIndex(platform::DialogView& view);
    static void TogglePause(platform::DialogView& view);
    static void AskToStop(platform::DialogView& view);
    static void Defaults(platform::DialogView& view);
    static void JobEnded(platform::DialogView& view);
    static void ReturnToSettings(platform::DialogView& view);
};

// Shows the dialog modally, owned by the active window, with the link's window class registered
// while it is open. Returns the value the dialog ended with: 1 for OK, 2 for Cancel, -1 when it
// could not be shown.
std::intptr_t RunSettingsDialog();

}  // namespace ombrel
