#include "host/ui/CKDialler.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kelo {

namespace {

CKDialler::Dialler& Installed()
{
    static CKDialler::Dialler dialler;
    return dialler;
}

}  // namespace

void CKDialler::KCDialNumber(QWidget* window, const QString& number, const QString& kind,
                             const QString& name, const QString& modemPort,
                             const QString& dialPrefix, const QString& text, int delay)
{
    const Request request{number, kind, name, modemPort, dialPrefix, text, delay};
    if (const Dialler& dialler = Installed()) {
        dialler(window, request);
        return;
    }
    ShowDialog(window, request);
}

CKDialler::Dialler CKDialler::SetDialler(Dialler dialler)
{
    Dialler previous = std::move(Installed());
    Installed() = std::move(dialler);
    return previous;
}

QString CKDialler::TelLink(const QString& number)
{
    QString digits;
    for (const QChar c : number) {
        if (c.isDigit())
            digits.append(c);
        else if (c == QLatin1Char('+') && digits.isEmpty())
            digits.append(c);
    }
    if (digits.isEmpty() || digits == QLatin1String("+")) return QString();
    return QStringLiteral("tel:") + digits;
}

void CKDialler::ShowDialog(QWidget* window, const Request& request)
{
    QDialog dialog(window);
    dialog.setWindowTitle(QObject::tr("Dial Number"));
    auto* form = new QFormLayout;
    form->addRow(QObject::tr("Number:"), new QLabel(request.number.trimmed()));
    if (!request.kind.isEmpty()) form->addRow(QObject::tr("Account:"), new QLabel(request.kind));
    if (!request.name.trimmed().isEmpty())
        form->addRow(QObject::tr("Name:"), new QLabel(request.name));
    // The modem settings are shown for the record; the desktop does the dialling.
    if (!request.modemPort.isEmpty())
        form->addRow(QObject::tr("Modem port:"), new QLabel(request.modemPort));
    if (!request.dialPrefix.isEmpty())
        form->addRow(QObject::tr("Dial command:"), new QLabel(request.dialPrefix));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* dial = buttons->addButton(QObject::tr("&Dial"), QDialogButtonBox::AcceptRole);
    const QString link = TelLink(request.number);
    dial->setEnabled(!link.isEmpty());
    dial->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted && !link.isEmpty())
        QDesktopServices::openUrl(QUrl(link));
}

}  // namespace kelo
