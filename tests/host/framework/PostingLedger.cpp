#include "PostingLedger.h"

#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/RecordFile.h"

namespace kelo::test {

uint32_t PostingLedger::Nominal(const std::string& code, const std::string& name, double balance,
                               uint8_t kind)
{
    std::vector<uint8_t> rec(kNominalLength, 0);
    SetText(rec.data(), kNominalCode, code);
    SetText(rec.data(), kNominalName, name);
    SetF64(rec.data(), kNominalBalance, balance);
    SetU8(rec.data(), kNominalAccountKind, kind);
    const uint32_t recNo = RecCount(m_ctx.File(kFileNominal)) + 1;
    WriteRec(m_ctx.File(kFileNominal), recNo, rec.data());
    const AccountKey key = BuildAccountKey(code);
    AddKey(m_ctx.File(kFileNominalIndex), key.data(), recNo, 0, 0);
    return recNo;
}

uint32_t PostingLedger::Bank(const std::string& code, const std::string& name, uint8_t kind,
                             double balance, uint8_t currency)
{
    Nominal(code, name, balance, kNominalKindBank);
    return BankOnly(code, kind, name, balance, currency);
}

uint32_t PostingLedger::BankOnly(const std::string& code, uint8_t kind, const std::string& name,
                                 double balance, uint8_t currency)
{
    std::vector<uint8_t> bank(kBankLength, 0);
    SetText(bank.data(), kBankCode, code);
    SetText(bank.data(), kBankName, name);
    SetU8(bank.data(), kBankKind, kind);
    SetU8(bank.data(), kBankCurrency, currency);
    SetF64(bank.data(), kBankBalance, balance);
    const uint32_t recNo = RecCount(m_ctx.File(kFileBank)) + 1;
    WriteRec(m_ctx.File(kFileBank), recNo, bank.data());
    const AccountKey key = BuildAccountKey(code);
    AddKey(m_ctx.File(kFileBankIndex), key.data(), recNo, 0, 0);
    return recNo;
}

void PostingLedger::TaxControl(uint32_t salesTax, uint32_t purchaseTax,
                               const std::vector<double>& rates)
{
    std::vector<uint8_t> rec(kTaxControlLength, 0);
    SetU32(rec.data(), kControlSalesTax, salesTax);
    SetU32(rec.data(), kControlPurchaseTax, purchaseTax);
    for (size_t i = 0; i < rates.size(); ++i) SetTaxRate(rec.data(), int(i), rates[i]);
    WriteRec(m_ctx.File(kFileTaxControl), 1, rec.data());
}

void PostingLedger::Standard()
{
    Bank("1200", "Bank Current Account", kBankKindBank);
    Bank("1230", "Petty Cash", kBankKindCash);
    Bank("1240", "Company Credit Card", kBankKindCreditCard);
    const uint32_t sales = Nominal("2200", "Sales Tax Control Account");
    const uint32_t purchase = Nominal("2201", "Purchase Tax Control Account");
    Nominal("7100", "Rent");
    Nominal("7200", "Electricity");
    TaxControl(sales, purchase, {0.0, 20.0, 0.0, 0.0, 0.0, 5.0});
}

std::vector<uint8_t> PostingLedger::NominalRecord(const std::string& code)
{
    std::vector<uint8_t> rec(kNominalLength, 0);
    FlashFindAccount(m_ctx, kLedgerNominal, code.c_str(), rec.data(), 0);
    return rec;
}

std::vector<uint8_t> PostingLedger::BankRecord(const std::string& code)
{
    std::vector<uint8_t> rec(kBankLength, 0);
    FlashFindAccount(m_ctx, kLedgerBank, code.c_str(), rec.data(), 0);
    return rec;
}

double PostingLedger::NominalBalance(const std::string& code)
{
    return GetF64(NominalRecord(code).data(), kNominalBalance);
}

double PostingLedger::BankBalance(const std::string& code)
{
    return GetF64(BankRecord(code).data(), kBankBalance);
}

}  // namespace kelo::test
