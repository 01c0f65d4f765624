#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kelo {

// The host's account-code field: a line edit with a button at its right end that asks for the
// ledger's lookup list. The dialog opens the list when buttonClicked arrives; the list tells the
// field it is open (SetOpenList) and writes the chosen code with SetText.
class CKPopupField final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKPopupField)

public:
    explicit CKPopupField(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    QToolButton* Button() const { return m_button; }

    QString Text() const;
    // Sets the text as the user's (marks it modified) and emits textChosen.
    void SetText(const QString& text);
    // Sets the text as the program's (not modified); no signal.
    void SetTextQuietly(const QString& text);
    void SetLimit(int characters);
    bool IsModified() const;
    void SetModified(bool modified);

    // The lookup list that is open for this field, null when none; cleared when that list goes.
    void SetOpenList(QWidget* list);
    QWidget* OpenList() const { return m_openList; }

signals:
    void buttonClicked();
    // A lookup list wrote a code into the field.
    void textChosen(const QString& text);
    // A list was opened for the field (the field's second notice).
    void listOpened();

protected:
    // F4 or Alt+Down in the edit asks for the list, as the button does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
    QPointer<QWidget> m_openList;
};

}  // namespace kelo
