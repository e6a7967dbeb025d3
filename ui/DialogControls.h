#pragma once

#include <cstdint>

#include "platform/Dialogs.h"

// The settings and indexing dialog of the resources: its template, its controls and the messages
// it posts to itself.
namespace ombrel::controls {

inline constexpr std::uint32_t kSettingsDialogTemplate = 203;

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;  // "Cancel", "Stop" or "Done"; also Escape and the close box
inline constexpr int kFolderTree = 201;
inline constexpr int kReIndex = 202;  // "Re-Index Selected", "Pause" or "Unpause"
inline constexpr int kIndexOnReceive = 203;
inline constexpr int kMonitorOnExit = 204;
inline constexpr int kSelectAll = 205;
inline constexpr int kUnselectAll = 206;
inline constexpr int kDefaults = 207;
inline constexpr int kLog = 208;
inline constexpr int kProgress = 209;
inline constexpr int kPreferHtml = 210;
inline constexpr int kGenerateThumbnails = 211;  // always hidden
inline constexpr int kHelp = 223;
inline constexpr int kThumbnailFilter = 225;  // always hidden and empty
inline constexpr int kLink = 235;

// Posted by the job's worker when it ends, and by the dialog after a stop or a failed start.
inline constexpr std::uint32_t kJobEnded = platform::dialog::kUser + 1;
// Posted by the dialog when the user leaves the finished job.
inline constexpr std::uint32_t kReturnToSettings = platform::dialog::kUser + 2;

}  // namespace ombrel::controls
