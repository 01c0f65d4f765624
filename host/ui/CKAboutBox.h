#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QDialog>
#include <QPixmap>
#include <QString>

namespace kelo {

// The About box information, filled by the caller and shown by KCDShowAbout.
struct CKAboutInfo {
    struct Item {
        QString name;
        QString value;  // ending in "\t\x01": a folder, shown with an "Open" link
    };
    struct Section {
        QString title;
        std::vector<Item> items;
    };

    QWidget* owner = nullptr;
    QString title = QStringLiteral("About...");
    QString product;
    QString version;
    QString licensee;  // the registered user line
    QString serial;    // the second licence line
    QPixmap logo;
    std::vector<std::pair<QString, QString>> components;  // library name, version
    std::vector<Section> sections;

    // The section with that title, nullptr when absent.
    const Section* Find(const QString& title) const;
};

// The About box: a modal dialog with the logo, product and version, the sections as tables and
// the component list. KCD* are the calls the module makes; the shower is replaceable so tests
// can inspect what would be shown.
class CKAboutBox final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKAboutBox)

public:
    using Shower = std::function<void(const CKAboutInfo&)>;

    // A new, empty information record with the title "About...".
    static CKAboutInfo KCDInitAbout(QWidget* owner = nullptr);
    // Opens a section (appended when it does not exist yet).
    static void KCDAddAboutSection(CKAboutInfo& info, const QString& section);
    // Appends an item to a section, opening the section when needed.
    static void KCDAddAboutSectionInfo(CKAboutInfo& info, const QString& section,
                                       const QString& item, const QString& value);
    // Shows the box modally (through the installed shower).
    static void KCDShowAbout(const CKAboutInfo& info);

    static Shower SetShower(Shower shower);

    explicit CKAboutBox(const CKAboutInfo& info);
};

}  // namespace kelo
