#include "ToolRun.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <QProcess>
#include <QStringList>

namespace kelo::test {

ToolRun RunKeloData(const std::vector<std::string>& args)
{
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    QProcess p;
    p.start(QStringLiteral(KELO_DATA_TOOL), list);
    ToolRun run;
    if (!p.waitForStarted(10000) || !p.waitForFinished(300000)) return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput().toStdString();
    run.err = p.readAllStandardError().toStdString();
    return run;
}

TempFolder::TempFolder()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "kelo-data-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

}  // namespace kelo::test
