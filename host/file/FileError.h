#pragma once

#include <stdexcept>
#include <string>

namespace kelo {

// A fault of the stored data or the storage (unreadable company, corrupt record, backend error).
// The message names the file and, where there is one, the record.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kelo
