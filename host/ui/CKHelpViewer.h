#pragma once

#include <functional>

#include <QPointer>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kelo {

// Help commands of HtmlHelpA.
inline constexpr int HH_DISPLAY_TOPIC = 0;  // the help file's default page
inline constexpr int HH_HELP_CONTEXT = 15;  // the page of a topic number

// The help viewer: one window with the pages of a help folder ("Tasks.CHM" is a folder of HTML
// pages named by topic number, "103.html", with "index.html" as its default page), Back,
// Contents and Close; Esc closes it. One viewer serves the application; opening a page brings it
// to the front. Opened while a modal dialog runs, it becomes a window of that dialog, so the
// dialog's modality does not block it and it stays in front of it; when the dialog closes, the
// help stays open on its own.
class CKHelpViewer final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKHelpViewer)

public:
    // What HtmlHelpA hands to the shower: the help folder, command, topic and page it resolved.
    struct Request {
        QWidget* window;
        QString folder;
        int command;
        int topic;
        QString page;  // full path of the page shown; the index when the topic has no page
    };
    using Shower = std::function<void(const Request&)>;

    // HtmlHelpA(window, path, command, topic): opens the help folder `path` (backslashes are read
    // as folder separators) at the topic's page (HH_HELP_CONTEXT) or at its default page
    // (HH_DISPLAY_TOPIC); a topic without a page shows the default page. Returns false when the
    // folder has neither page or the command is unknown; nothing is shown then.
    static bool HtmlHelpA(QWidget* window, const QString& path, int command, int topic);

    // Replaces what shows a resolved request (tests record it); an empty function restores the
    // viewer. Returns the previous shower.
    static Shower SetShower(Shower shower);

    // The application's viewer, created on first use.
    static CKHelpViewer* Instance();
    void ShowPage(const QString& pagePath);
    QString CurrentPage() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CKHelpViewer();
    // Makes the viewer a window of `owner` (the running modal dialog) or, for none, a window of
    // its own, keeping its place on the screen.
    void SetOwner(QWidget* owner);
    void Present();

    QTextBrowser* m_browser;
    QString m_index;
    QPointer<QWidget> m_owner;
};

}  // namespace kelo
