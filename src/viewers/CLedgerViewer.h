#pragma once

#include <cstdint>
#include <span>

#include <QPointer>

#include "host/ui/CKDialog.h"
#include "src/pages/scans/RowStepper.h"

class QFormLayout;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace kelo {

class CKListView;
class CReminderPage;
class TaskServices;

// What the Account Details and Transaction Details viewers share: read-only fields in groups,
// a Telephone field with a dial button, First/Previous/Next/Last stepping through the opening
// page's list (the page's selection follows), and OK. Modal (DoModal); writes nothing.
class CLedgerViewer : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLedgerViewer)

public:
    // The dial command the Telephone field's button posts to the viewer.
    static constexpr int kDialCommand = 2349;

    // Takes the row `step` leads to in the page's list, if any: selects it in the list and
    // shows its record. Does nothing when the step leads nowhere or the page is gone.
    void StepTo(RowStepper::Step step);

    QPushButton* StepButton(RowStepper::Step step) const;
    QLineEdit* Telephone() const { return m_telephone; }
    QToolButton* DialButton() const { return m_dial; }
    // A field by its object name ("name", "contact", "current" ...); nullptr when none.
    QLineEdit* Field(const char* name) const;

    bool OnCommand(int id) override;

protected:
    CLedgerViewer(int dialogId, const QString& title, CReminderPage* page, TaskServices& services);

    TaskServices& Services() const { return m_services; }
    // The page's list, nullptr once the page is gone.
    CKListView* PageList() const;
    QVBoxLayout* Body() const { return m_body; }

    // A read-only field in `form` with its label; `name` is its object name.
    QLineEdit* AddField(QFormLayout* form, const QString& label, const char* name);
    // The Telephone field and its dial button, in `form`.
    void AddTelephone(QFormLayout* form);
    // Sets the step buttons from the page list's selection and row count.
    void UpdateStepButtons();

    // Shows the record of a row of the page's list (its packed bytes).
    virtual void TakeRow(std::span<const uint8_t> row) = 0;
    virtual void Dial() = 0;

private:
    TaskServices& m_services;
    QPointer<CReminderPage> m_page;
    QVBoxLayout* m_body;
    QLineEdit* m_telephone = nullptr;
    QToolButton* m_dial = nullptr;
    QPushButton* m_buttons[4] = {};
};

}  // namespace kelo
