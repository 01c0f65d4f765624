#pragma once

#include <cstdint>
#include <vector>

#include <QStatusBar>

class QLabel;

namespace kelo {

// The status bar: panes addressed by id, the first with width 0 stretching, the others as wide
// as their width in average characters. Progress text of a long fill goes to the stretching
// pane and is cleared afterwards.
class CKStatusBar final : public QStatusBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKStatusBar)

public:
    struct Pane {
        int id;
        int width;  // characters; 0 = stretch
    };
    // The pane id of the program date in the main window.
    static constexpr int kDatePane = 1032;

    explicit CKStatusBar(QWidget* parent = nullptr);

    // Replaces the panes. Texts are cleared.
    void SetPanes(const std::vector<Pane>& panes);
    int PaneCount() const { return static_cast<int>(m_panes.size()); }
    // Sets a pane's text; false when there is no pane with that id.
    bool SetPaneText(int id, const QString& text);
    QString PaneText(int id) const;  // empty for an unknown pane
    // Shows a date number as dd/mm/yyyy in a pane (empty for 0).
    bool SetPaneDate(int id, uint16_t date);

    // Progress of a long fill in the stretching pane; ClearProgressText restores its text.
    void SetProgressText(const QString& text);
    void ClearProgressText();

private:
    QLabel* Find(int id) const;

    struct Slot {
        int id;
        QLabel* label;
    };
    std::vector<Slot> m_panes;
    QString m_savedText;
    bool m_inProgress = false;
};

}  // namespace kelo
