#pragma once

#include <vector>

#include <QIcon>
#include <QToolBar>

namespace kelo {

// A bar of command buttons. Each button carries a command id; pressing it raises
// commandTriggered(id), which the owner routes as a command (usually to CKDialog::SendCommand).
// Buttons are found by their command; calls naming a command that has no button do nothing and
// answer false.
class CKTBar final : public QToolBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKTBar)

public:
    CKTBar(const QString& title, QWidget* parent = nullptr, int id = 0);

    int GetDlgCtrlID() const { return m_id; }

    // Adds a button after the others. An empty label leaves a picture-only button with the
    // label as tooltip. Returns false when a button for the command already exists.
    bool AddButton(int command, const QString& label, const QIcon& icon);
    // The same with CKIcons::ForBitmap(bitmap).
    bool AddButton(int command, const QString& label, int bitmap);
    bool HasButton(int command) const;
    bool DeleteButton(int command);
    int ButtonCount() const;
    // Commands of the buttons in their order.
    std::vector<int> Commands() const;

    bool EnableButton(int command, bool enable);
    bool IsButtonEnabled(int command) const;  // false also when there is no such button

    // Labels under the icons (true) or icons only.
    void ShowLabels(bool show);
    bool LabelsShown() const { return m_labels; }
    // An image file drawn behind the buttons; empty: none. A file that does not load is ignored.
    void SetBackground(const QString& imagePath);

    // Presses a button as the user would (enabled buttons only). Returns false otherwise.
    bool Press(int command);

signals:
    void commandTriggered(int command);

private:
    QAction* Find(int command) const;

    int m_id;
    bool m_labels = true;
};

}  // namespace kelo
