#pragma once

#include <stdexcept>

namespace kelo::tool {

// A mistake in what the tool was asked to do (bad arguments, unknown file, bad input line): one
// line on stderr and a non-zero exit, with nothing written.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kelo::tool
