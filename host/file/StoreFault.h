#pragma once

#include <string>

namespace kelo::store {

// A store whose bytes are damaged can lead LMDB through a page number or pointer built from
// garbage: a read past the end of the file (SIGBUS) or through a wild pointer (SIGSEGV), and
// the program would die without a word. While a store is watched, such a fault on its map or
// inside LMDB ends the process with one line naming the store and exit status 1; nothing is
// committed. A fault anywhere else is left to crash as before.
// Watches the map of `folder`/data.mdb (again after the map moved) for `owner`.
void WatchStoreMap(const void* owner, const std::string& folder);
void ForgetStoreMap(const void* owner);

}  // namespace kelo::store
