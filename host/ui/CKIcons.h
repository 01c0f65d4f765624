#pragma once

#include <QIcon>

namespace kelo {

// The button and item images, by the bitmap resource number the windows name them with
// (5 New, 6 Open, 7 Delete, 8 Pay, 420 Properties, 12 To Do, 421 Contacts, 13 Bills,
// 16 Accounts Due, 17 Account Status, 15 Recurring, 424 Stock, 14 Invoices, 422 SOP, 423 POP,
// 380 Company Details, 9/10/11 tree items, 265 dial, 418 logo). Drawn at run time, so the
// program ships no image files. Needs a QGuiApplication. An unknown number gives a plain icon.
class CKIcons final {
public:
    static QIcon ForBitmap(int resource);
};

}  // namespace kelo
