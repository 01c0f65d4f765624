#include "host/data/TaxControlRecord.h"

#include <array>

namespace kelo {

namespace {

// Field names must outlive every Layout user, so they are built once at compile time.
struct RateNames {
    char text[kTaxCodeCount][12];
};

constexpr RateNames MakeRateNames()
{
    RateNames names{};
    for (uint32_t i = 0; i < kTaxCodeCount; ++i) {
        char* p = names.text[i];
        for (const char c : std::string_view("tax_rate_")) *p++ = c;
        if (i >= 10) *p++ = static_cast<char>('0' + i / 10);
        *p++ = static_cast<char>('0' + i % 10);
        *p = 0;
    }
    return names;
}

constexpr RateNames kRateNames = MakeRateNames();

constexpr size_t kControlCount = std::size(kControlAccounts);

constexpr std::array<Field, kControlCount + kTaxCodeCount> MakeFields()
{
    std::array<Field, kControlCount + kTaxCodeCount> fields{};
    for (size_t i = 0; i < kControlCount; ++i) fields[i] = kControlAccounts[i];
    for (uint32_t i = 0; i < kTaxCodeCount; ++i)
        fields[kControlCount + i] =
            Field{kRateNames.text[i], kTaxRateBase + kTaxRateStride * i, 8, FieldType::F64};
    return fields;
}

constexpr std::array<Field, kControlCount + kTaxCodeCount> kFields = MakeFields();

bool ValidCode(int code) { return code >= 0 && code < static_cast<int>(kTaxCodeCount); }

}  // namespace

const Layout kTaxControlLayout{"tax_control", kTaxControlLength, kFields};

const Field& TaxRateField(int code) { return kFields[kControlCount + code]; }

double TaxRate(const uint8_t* rec, int code)
{
    return ValidCode(code) ? GetF64(rec, TaxRateField(code)) : 0.0;
}

void SetTaxRate(uint8_t* rec, int code, double rate)
{
    if (ValidCode(code)) SetF64(rec, TaxRateField(code), rate);
}

bool IsControlAccount(const uint8_t* rec, uint32_t nominalRecNo)
{
    if (nominalRecNo == 0) return false;
    for (const Field& f : kControlAccounts)
        if (GetU32(rec, f) == nominalRecNo) return true;
    return false;
}

}  // namespace kelo
