#include "ToolRun.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <QProcess>
#include <QStringList>

#include "host/file/DataContext.h"
#include "host/util/Dates.h"
#include "tools/kelo-data/demo/DemoCompany.h"

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

void MakeDemo(const std::string& folder)
{
    DataContext ctx = DataContext::Create(folder);
    demo::DemoOptions options;
    options.date = DateStringToNumber("15/06/2027");
    demo::MakeDemoCompany(ctx, options);
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
