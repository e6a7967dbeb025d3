#pragma once

#include <cstdint>
#include <vector>

#include "cli/Sqlite.h"

namespace ombrel::cli {

// The messages of folders' bases that did not read (a damaged record, a base rewritten under a
// run), kept in the index so that every later run tries them again: a base restored from a copy
// then gives them all. The table is made in any index that lacks it.
class BadMessages {
  public:
    explicit BadMessages(Sqlite& db);

    // The positions of the folder's bad messages, in order.
    std::vector<std::uint32_t> Of(std::int64_t folderId);
    void Add(std::int64_t folderId, std::uint32_t position);
    void Remove(std::int64_t folderId, std::uint32_t position);
    // Forgets the folder's bad messages: its base no longer holds what they named.
    void Clear(std::int64_t folderId);

  private:
    Sqlite& db_;
};

}  // namespace ombrel::cli
