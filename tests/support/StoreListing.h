#pragma once

#include <string>
#include <vector>

#include "mailstore/MailAccount.h"
#include "tests/support/SampleStore.h"

// A line per account and folder of a mail store, with what the library reads of it: directory
// (below the root), address, enabled flag, and for folders their messages (count, how many read,
// a digest of their texts, times and status words). A loaded store and the sample it was written
// from give the same lines when the library reads everything as written.
namespace ombrel::testing {

std::vector<std::string> ExpectedListing(const SampleStore& store);
std::vector<std::string> LoadedListing(const AccountList& accounts, const std::u16string& hostRoot);

}  // namespace ombrel::testing
