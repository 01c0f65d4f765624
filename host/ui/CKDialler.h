#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace kelo {

// KCDialNumber: dials a telephone number. The real dialler shows what is dialled (number, kind,
// name, and the modem port and dial prefix, which are shown but not used) and on "Dial" hands
// the number to the desktop as a tel: link. Nothing is returned; failures are not reported.
// Tests replace the dialler (CKDialler::SetDialler) and record the requests.
class CKDialler final {
public:
    struct Request {
        QString number;
        QString kind;        // "Customer", "Supplier", ...
        QString name;
        QString modemPort;
        QString dialPrefix;
        QString text;
        int delay = 0;
    };
    using Dialler = std::function<void(QWidget* window, const Request&)>;

    static void KCDialNumber(QWidget* window, const QString& number, const QString& kind,
                             const QString& name, const QString& modemPort,
                             const QString& dialPrefix, const QString& text, int delay);

    // Installs a dialler and returns the one it replaces; an empty function restores the real one.
    static Dialler SetDialler(Dialler dialler);

    // The tel: link for a typed number: digits kept, a leading '+' kept, the rest dropped.
    // Empty when there are no digits.
    static QString TelLink(const QString& number);

    // The real dialler's dialog.
    static void ShowDialog(QWidget* window, const Request& request);
};

}  // namespace kelo
