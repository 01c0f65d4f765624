#pragma once

#include <string>
#include <vector>

namespace kelo::test {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built kelo-data with `args` and waits for it.
ToolRun RunKeloData(const std::vector<std::string>& args);

// Makes the default demo company, dated 15/06/2027, in a new folder.
void MakeDemo(const std::string& folder);

// A fresh temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

}  // namespace kelo::test
