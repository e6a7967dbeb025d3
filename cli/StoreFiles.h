#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/ForwardingDiskFiles.h"
#include "platform/ProfileFiles.h"

namespace ombrel::cli {

// Windows drive letters and the local directories that stand for them: the paths that the host
// stored in its registry and folder lists name its drives.
class DriveMap {
  public:
    // Adds "X:=/local/path"; false when the text has another form.
    bool Add(const std::string& mapping);
    // The local path of a path as the core builds it: a path on a mapped drive moves to its
    // directory, another drive's path has none, and any other path stays.
    std::optional<std::u16string> Local(std::u16string_view path) const;
    // The drive letter of a path on an unmapped drive, or 0.
    char16_t UnmappedDrive(std::u16string_view path) const;

  private:
    std::map<char16_t, std::u16string> drives_;  // upper-case letter, directory
};

// The mail store's files, read through a drive map. Nothing is ever written: the host's
// directories are only read (a state file write fails as a read-only file's would).
class StoreDiskFiles final : public platform::ForwardingDiskFiles {
  public:
    StoreDiskFiles(platform::DiskFiles& files, const DriveMap& drives)
        : ForwardingDiskFiles(files), drives_(drives) {}

    Handle OpenForReading(const char16_t* path) override;

  private:
    const DriveMap& drives_;
};

class StoreProfileFiles final : public platform::ProfileFiles {
  public:
    StoreProfileFiles(const platform::ProfileFiles& profiles, const DriveMap& drives)
        : profiles_(profiles), drives_(drives) {}

    std::uint32_t GetString(const char16_t* section, const char16_t* key,
                            const char16_t* defaultValue, char16_t* buffer, std::uint32_t size,
                            const char16_t* file) const override;
    std::uint32_t GetInt(const char16_t* section, const char16_t* key, std::int32_t defaultValue,
                         const char16_t* file) const override;
    bool WriteString(const char16_t* /*section*/, const char16_t* /*key*/,
                     const char16_t* /*value*/, const char16_t* /*file*/) override {
        return false;
    }

  private:
    const platform::ProfileFiles& profiles_;
    const DriveMap& drives_;
};

}  // namespace ombrel::cli
