#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "host/ui/CKDialog.h"

class QKeyEvent;
class QPushButton;
class QTableView;

namespace kelo {

class CDDataResourceManager;
class CFixedPopupRows;
class CKPopupField;
class DataContext;

// The account lookup list under an account-code field: a borderless window listing one
// ledger's accounts in the order of its code index, built a range of rows at a time as the list
// asks for them (so a ledger of any size opens at once). Typing a letter or digit jumps to the
// first code the index finds for it. OK, a double click or Enter writes the row's code into the
// field; Close, Esc, a click elsewhere or the window losing the activation close it without
// choosing. It closes once, and its data resources are held from opening until it is destroyed.
//
// Subclasses name the ledger's files, obtain the resources and the row count in OnInitDialog,
// then call InitialiseCommon; FillRange builds the rows the list asks for with AppendRow.
class CFixedPopup : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFixedPopup)

public:
    static constexpr int kTemplateId = 132;
    static constexpr int kListId = 1043;
    // The column of a row that goes into the field: the code.
    static constexpr int kResultColumn = 0;

    ~CFixedPopup() override;

    // Makes the popup window from its template under `parent` (the owner field) and tells
    // `owner` that this is its open list. Returns false when initialisation failed; the popup
    // is destroyed then.
    bool CreatePopup(QWidget* parent, CKPopupField* owner, int listId = kListId,
                     int templateId = kTemplateId);

    // One row's text from a code and a name: "code\tname" without trailing spaces.
    virtual QString RowText(const std::string& code, const std::string& name) const;
    // Builds rows first..last (list indexes; nothing when first > last) with AppendRow.
    virtual void FillRange(int first, int last) = 0;
    // Writes the result column of the selected row into the owner field; nothing without one.
    virtual void Choose();

    // Type-ahead: a letter or digit (keypad digits too) selects the row of the first index
    // entry not below that one character, and is consumed; other keys are not. Returns true
    // when the key was consumed.
    bool TypeAhead(const QKeyEvent& key);

    QTableView* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CloseButton() const { return m_close; }
    CKPopupField* Owner() const;
    uint32_t RecordCount() const { return m_recordCount; }
    int SelectedRow() const;
    void SelectRow(int row);
    bool IsClosing() const { return m_closing; }
    // Rows built so far (each FillRange adds to it).
    int RowsBuilt() const;
    // The text of list row `row` as built, building its range first when needed.
    QString RowAt(int row) const;

protected:
    CFixedPopup(CKPopupField* owner, DataContext& context, int dataFile, int indexFile);

    // Attaches the list, sets its row count, places the popup under the owner field and selects
    // the owner's code (or row 0).
    void InitialiseCommon();
    // Stores the text of list row `index` (called from FillRange).
    void AppendRow(int index, const QString& text);
    // The bracket the subclass adds its resources to and obtains; released at destruction.
    CDDataResourceManager& Resources() { return *m_resources; }
    DataContext& Context();
    void SetRecordCount(uint32_t count) { m_recordCount = count; }
    int DataFileNumber() const { return m_dataFile; }
    int IndexFileNumber() const { return m_indexFile; }

    // OK: choose, then close. Cancel (Close, Esc, a click outside): close without choosing.
    void OnOK() override;
    void OnCancel() override;
    // Releases the list's rows, then the data resources.
    void OnDestroy() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Close(bool choose);
    void PlaceUnderOwner();
    // Selects row position - 1 of an index search for `key`; false when the search found none.
    bool SelectSearched(const std::string& key);

    QPointer<CKPopupField> m_owner;
    int m_listId = kListId;
    int m_resultColumn = kResultColumn;
    QTableView* m_list;
    QPushButton* m_ok;
    QPushButton* m_close;
    CFixedPopupRows* m_rows;
    std::unique_ptr<CDDataResourceManager> m_resources;
    int m_dataFile;
    int m_indexFile;
    uint32_t m_recordCount = 0;
    bool m_closing = false;
};

}  // namespace kelo
