#pragma once

#include <cstdint>

#include "mailstore/DiskFile.h"

namespace ombrel {

// The reader of an account's folder list "ACCOUNT.FLB": a table of folder ids, each with the
// offset of its folder record, and the root record that starts the folder tree.
class CTheBatZZFile : public CDiskFile {
  public:
    CTheBatZZFile() = default;
    ~CTheBatZZFile() override;
    CTheBatZZFile(const CTheBatZZFile&) = delete;
    CTheBatZZFile& operator=(const CTheBatZZFile&) = delete;

    // Opens the folder list by its full path and finds the root record: the first live record
    // that reads and has an empty name. Fails, leaving the reader closed, on a wrong magic, a
    // zero folder count, a table that reaches beyond the file, or no root record.
    bool OpenFolderList(const WideString& path);

    // Reads the record of table entry `entry` into the three strings; a property that is absent
    // or converts to no characters leaves its string as it was. False when the entry is not live
    // or its record does not read.
    bool ReadFolderRecord(std::uint32_t entry, WideString& name, WideString& directory,
                          WideString& children);

    std::uint32_t Count() const { return IsOpen() ? count_ : 0; }
    // The folder id of a table entry below Count(), by which parent records name it.
    std::uint32_t FolderId(std::uint32_t entry) const;
    // The table entry of the root record.
    std::uint32_t RootEntry() const { return rootEntry_; }

    const WideString& RootName() const { return rootName_; }
    const WideString& RootDirectory() const { return rootDirectory_; }
    const WideString& RootChildren() const { return rootChildren_; }

  private:
    const std::uint8_t* table_ = nullptr;
    std::uint32_t count_ = 0;
    WideString rootName_;
    WideString rootDirectory_;
    WideString rootChildren_;
    std::uint32_t headerOffset_ = 0;
    std::uint32_t rootEntry_ = 0;
};

}  // namespace ombrel
