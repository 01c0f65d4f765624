#pragma once

#include <QLineEdit>

namespace kelo {

// The host's calculator edit for amounts: digits, one point and at most two decimals, an
// optional leading minus, and no more than nine digits before the point, so an amount that the
// field cannot hold is refused as it is typed instead of wrapping. Shown with two decimals once
// the focus leaves it. The modified flag (isModified) is the user's typing; SetValue clears it.
class CKCalcEdit final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKCalcEdit)

public:
    // The largest amount the field takes.
    static constexpr double kMaximum = 999999999.99;

    explicit CKCalcEdit(QWidget* parent = nullptr);

    // The amount shown; 0 for an empty field or a lone "-" or ".".
    double Value() const;
    // Shows `value` with two decimals (never "-0.00") and clears the modified flag.
    void SetValue(double value);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace kelo
