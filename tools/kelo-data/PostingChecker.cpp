#include "tools/kelo-data/PostingChecker.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/data/SplitRecord.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/util/Money.h"

namespace kelo::tool {

namespace {

constexpr double kPenny = 0.005;

std::string money(double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", NormaliseZero(x));
    return text;
}

}  // namespace

int PostingChecker::Run()
{
    CheckTransactions();
    CheckBalances();
    return m_problems;
}

void PostingChecker::Problem(const std::string& text)
{
    ++m_problems;
    m_report(text);
}

void PostingChecker::CheckTransactions()
{
    DataFile headers = m_ctx.File(kFileAuditHeaders);
    DataFile splits = m_ctx.File(kFileSplits);
    DataFile index = m_ctx.File(kFileTransactionIndex);
    const uint32_t headerCount = RecCount(headers);
    const uint32_t splitCount = RecCount(splits);
    std::vector<uint32_t> owner(size_t(splitCount) + 1, 0);
    std::unordered_map<uint32_t, uint32_t> numbers;  // transaction number -> header
    std::vector<uint8_t> h(kAuditHeaderLength), s(kSplitLength);

    for (uint32_t r = 1; r <= headerCount; ++r) {
        const std::string where = "transaction of header " + std::to_string(r);
        try {
            if (!ReadRec(headers, r, h.data())) continue;
            uint32_t split = GetU32(h.data(), kHeaderFirstSplit);
            if (split == 0 || split > splitCount) {
                Problem(where + ": first split " + std::to_string(split) + " does not exist");
                continue;
            }
            uint32_t number = 0;
            double net = 0, tax = 0;
            bool whole = true;
            for (uint32_t first = split; split != 0 && whole; split = GetU32(s.data(), kSplitNextSplit)) {
                if (split > splitCount || !ReadRec(splits, split, s.data())) {
                    Problem(where + ": split " + std::to_string(split) + " does not exist");
                    whole = false;
                } else if (owner[split] != 0) {
                    Problem(where + ": split " + std::to_string(split) + " is already part of header " +
                            std::to_string(owner[split]));
                    whole = false;
                } else if (GetU32(s.data(), kSplitHeader) != r) {
                    Problem(where + ": split " + std::to_string(split) + " points at header " +
                            std::to_string(GetU32(s.data(), kSplitHeader)));
                    whole = false;
                } else {
                    owner[split] = r;
                    if (split == first) number = GetU32(s.data(), kSplitTransactionNumber);
                    if (GetU32(s.data(), kSplitTransactionNumber) != number) {
                        Problem(where + ": split " + std::to_string(split) + " carries transaction " +
                                std::to_string(GetU32(s.data(), kSplitTransactionNumber)) + ", not " +
                                std::to_string(number));
                        whole = false;
                    }
                    net += GetF64(s.data(), kSplitNetAmount);
                    tax += GetF64(s.data(), kSplitTaxAmount);
                }
            }
            if (!whole) continue;
            const uint32_t first = GetU32(h.data(), kHeaderFirstSplit);
            if (const auto [it, added] = numbers.emplace(number, r); !added)
                Problem(where + ": transaction number " + std::to_string(number) +
                        " is also header " + std::to_string(it->second) + "'s");
            const TransactionKey key = BuildTransactionKey(number);
            if (FindKey(index, key.data(), 0) != first)
                Problem(where + ": transaction " + std::to_string(number) +
                        " is not indexed at its first split " + std::to_string(first));
            if (std::fabs(Round(net, 2) - GetF64(h.data(), kHeaderNetAmount)) > kPenny ||
                std::fabs(Round(tax, 2) - GetF64(h.data(), kHeaderTaxAmount)) > kPenny)
                Problem(where + ": splits total " + money(net) + " net " + money(tax) +
                        " tax, the header " + money(GetF64(h.data(), kHeaderNetAmount)) + " and " +
                        money(GetF64(h.data(), kHeaderTaxAmount)));
        } catch (const FileError& e) {
            Problem(where + ": " + e.what());
        }
    }
    for (uint32_t split = 1; split <= splitCount; ++split) {
        if (owner[split] != 0) continue;
        try {
            if (ReadRec(splits, split, s.data()))
                Problem("split " + std::to_string(split) + ": part of no transaction (header " +
                        std::to_string(GetU32(s.data(), kSplitHeader)) + " does not lead to it)");
        } catch (const FileError&) {
            // unreadable records are reported by the record check
        }
    }
}

void PostingChecker::CheckBalances()
{
    DataFile nominal = m_ctx.File(kFileNominal);
    DataFile bank = m_ctx.File(kFileBank);
    std::vector<uint8_t> n(kNominalLength), b(kBankLength);
    double total = 0;
    try {
        const uint32_t nominalCount = RecCount(nominal);
        for (uint32_t r = 1; r <= nominalCount; ++r)
            if (ReadRec(nominal, r, n.data()) && n[kNominalName.offset] != 0xFF)
                total += GetF64(n.data(), kNominalBalance);
        if (std::fabs(Round(total, 2)) > kPenny)
            Problem("nominal ledger: balances sum to " + money(total) + ", not 0.00");

        const uint32_t bankCount = RecCount(bank);
        for (uint32_t r = 1; r <= bankCount; ++r) {
            if (!ReadRec(bank, r, b.data()) || b[kBankName.offset] == 0xFF) continue;
            const std::string code = GetText(b.data(), kBankCode);
            if (!FlashFindAccount(m_ctx, kLedgerNominal, code.c_str(), n.data(), 0)) {
                Problem("bank account " + code + ": no nominal account of that code");
            } else if (std::fabs(GetF64(b.data(), kBankBalance) - GetF64(n.data(), kNominalBalance)) >
                       kPenny) {
                Problem("bank account " + code + ": balance " + money(GetF64(b.data(), kBankBalance)) +
                        ", its nominal account " + money(GetF64(n.data(), kNominalBalance)));
            }
        }
    } catch (const FileError& e) {
        Problem(std::string("balances: ") + e.what());
    }
}

}  // namespace kelo::tool
