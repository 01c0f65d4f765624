#pragma once

#include <cstdint>
#include <string>

namespace kelo {

// Converts the company in `folder` to this program's store format. The converted store is built
// beside the old one (folder/upgrade.tmp) and renamed over it only when whole, so a crash at any
// point leaves the old company as it was, ready to be upgraded again. Writers are held off while
// it runs. Returns the format the company had (codec::kStoreFormat: nothing was done). Throws
// FileError for a company of a newer format or one whose records are damaged.
uint32_t UpgradeStore(const std::string& folder);

}  // namespace kelo
