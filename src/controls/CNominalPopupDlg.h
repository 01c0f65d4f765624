#pragma once

#include "src/controls/CFixedPopup.h"

namespace kelo {

// The nominal account lookup (Pay To of the Bill Record dialog): every nominal account in code
// order, as code and name.
class CNominalPopupDlg final : public CFixedPopup {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNominalPopupDlg)

public:
    CNominalPopupDlg(CKPopupField* owner, DataContext& context);

    void FillRange(int first, int last) override;

protected:
    // Holds the nominal file and its index for reading, counts the accounts, then the common
    // set-up. False when the data layer fails.
    bool OnInitDialog() override;
};

}  // namespace kelo
