#pragma once

// Fixed-width text fields of records: NUL-terminated inside the field, padded with spaces before
// writing (FillUp) and stripped of the padding after reading (CleanUp).

#include <cstddef>
#include <string>
#include <string_view>

// Pads the NUL-terminated text in field[0..width) with spaces up to width - 1 characters and puts
// the NUL at field[width - 1]. A text with no NUL inside the field is cut to width - 1 characters.
// Width 0 leaves the field alone. Never throws.
void FillUp(char* field, std::size_t width);

// The field bytes for `text`: exactly `width` bytes, the text cut to width - 1 characters, then
// spaces, then one NUL (so the result holds an embedded NUL; copy it with its size()). The text
// ends at its first NUL, if any. Width 0 gives an empty string.
std::string FillUp(std::string_view text, std::size_t width);

// Removes the trailing spaces of a NUL-terminated text in place. Never throws.
void CleanUp(char* text);

// The text up to its first NUL (or its end), without trailing spaces.
std::string CleanUp(std::string_view text);

// `text` with spaces appended up to `width` characters; a longer text is kept whole.
std::string PadTo(std::string text, std::size_t width);

// Whether two texts are equal ignoring ASCII case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The short text of a transaction type code: 1 "SI" sales invoice, 2 "SC" sales credit note,
// 3 "SR" sales receipt, 4 "SA" payment on account from a customer, 5 "SD" sales discount,
// 6 "PI" purchase invoice, 7 "PC" purchase credit note, 8 "PP" purchase payment, 9 "PA" payment on
// account to a supplier, 10 "PD" purchase discount, 11 "BP" bank payment, 12 "BR" bank receipt,
// 13 "CP" cash payment, 14 "CR" cash receipt, 15 "JD" journal debit, 16 "JC" journal credit,
// 17 "VP" credit card payment, 18 "VR" credit card receipt. Empty text for any other code.
// The pointer is to static text; never null.
const char* TranType(int code);
