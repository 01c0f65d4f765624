#pragma once

#include "src/controls/CFixedPopup.h"

namespace kelo {

// The bank account lookup (Bank of the Bill Payment dialog): every bank account in code order,
// each shown as the code and name of the nominal account that has the bank's code.
class CBankPopupDlg final : public CFixedPopup {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CBankPopupDlg)

public:
    CBankPopupDlg(CKPopupField* owner, DataContext& context);

    void FillRange(int first, int last) override;

protected:
    // Holds the nominal and bank files for reading, counts the bank accounts, then the common
    // set-up. False when the data layer fails.
    bool OnInitDialog() override;
};

}  // namespace kelo
