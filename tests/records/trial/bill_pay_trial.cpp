// Pays bills through the same code as the Bill Payment dialog, for the kill trial and the
// two-user tests:
//   bill_pay_trial pay DIR BILL NET VAT BANK COUNT   pays BILL COUNT times, one transaction each,
//                                                    printing "posted BILL TRANSACTION" after each
//   bill_pay_trial hold-lock DIR BILL                holds the bill's record lock, prints
//                                                    "locked", and keeps it until stdin ends

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "host/data/FileMap.h"
#include "host/file/DataContext.h"
#include "host/file/RecordFile.h"
#include "src/records/CPayBillPosting.h"

int main(int argc, char** argv)
{
    using namespace kelo;
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "pay" && argc == 8) {
            DataContext ctx = DataContext::Open(argv[2]);
            const uint32_t bill = uint32_t(std::strtoul(argv[3], nullptr, 10));
            BillPaymentEntry entry;
            entry.net = std::strtod(argv[4], nullptr);
            entry.vat = std::strtod(argv[5], nullptr);
            entry.bank = argv[6];
            entry.reference = "TRIAL";
            entry.date = 46362;
            entry.taxCode = 1;
            const int count = std::atoi(argv[7]);
            for (int i = 0; i < count; ++i) {
                CPayBillPosting pay(ctx, bill);
                if (!pay.Read()) return 2;
                uint32_t number = 0;
                const auto outcome = pay.Pay(entry, "TRIAL", &number);
                if (outcome != CPayBillPosting::Outcome::Posted) {
                    std::printf("refused %u %d\n", bill, int(outcome));
                    return 3;
                }
                std::printf("posted %u %u\n", bill, number);
                std::fflush(stdout);
            }
            return 0;
        }
        if (mode == "hold-lock" && argc == 4) {
            DataContext ctx = DataContext::Open(argv[2]);
            const uint32_t bill = uint32_t(std::strtoul(argv[3], nullptr, 10));
            if (!LockRec(ctx.File(kFileBills), bill)) return 3;
            std::printf("locked\n");
            std::fflush(stdout);
            std::string line;
            while (std::getline(std::cin, line)) {
            }
            UnLockRec(ctx.File(kFileBills), bill);
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bill_pay_trial: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: bill_pay_trial pay DIR BILL NET VAT BANK COUNT | hold-lock DIR BILL\n");
    return 1;
}
