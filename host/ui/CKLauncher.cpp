#include "host/ui/CKLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kelo {

namespace {

CKLauncher::Starter& Installed()
{
    static CKLauncher::Starter starter;
    return starter;
}

}  // namespace

bool CKLauncher::WinExec(const QString& commandLine, int /*show*/)
{
    QStringList parts = QProcess::splitCommand(commandLine.trimmed());
    if (parts.isEmpty()) return false;
    QString program = parts.takeFirst();
    // The calculator is asked for by its old program name; any folder in front of it is moot.
    const QString base = QFileInfo(QString(program).replace(QLatin1Char('\\'), QLatin1Char('/')))
                             .fileName();
    if (base.compare(QLatin1String("CALC.EXE"), Qt::CaseInsensitive) == 0 ||
        base.compare(QLatin1String("CALC"), Qt::CaseInsensitive) == 0) {
        program = FindCalculator();
        if (program.isEmpty()) return false;
    }
    if (const Starter& starter = Installed()) return starter(program, parts);
    return QProcess::startDetached(program, parts);
}

CKLauncher::Starter CKLauncher::SetStarter(Starter starter)
{
    Starter previous = std::move(Installed());
    Installed() = std::move(starter);
    return previous;
}

QString CKLauncher::FindCalculator()
{
    for (const char* name : {"gnome-calculator", "kcalc", "qalculate-gtk", "qalculate-qt",
                             "mate-calc", "galculator", "speedcrunch", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return QString();
}

}  // namespace kelo
