#include "TempCompany.h"

#include <cstdlib>
#include <stdexcept>

namespace kelo::test {
namespace {

std::string makeFolder()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "kelo-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    return tmpl;
}

}  // namespace

TempCompany::TempCompany() : m_folder(makeFolder()), m_ctx(DataContext::Create(m_folder)) {}

TempCompany::~TempCompany()
{
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
}

}  // namespace kelo::test
