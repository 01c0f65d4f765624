// Deletes bills the way the Bills page does, for the kill -9 trials of scripts/bill-delete-trials.
//   bill_delete_worker make COMPANY N        a company with bills "Bill 1" .. "Bill N"
//   bill_delete_worker delete COMPANY LOG    deletes random bills until killed; after each commit
//                                            appends the count left to LOG
//   bill_delete_worker check COMPANY LOG     the bill file is whole: records 1..count with no gap,
//                                            each a bill made by `make`, in their first order, no
//                                            rewrite file left, and the count is the last one
//                                            logged or one fewer (killed between commit and log)
// Exit status 0 when well, 1 with a message when the check fails.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/DataContext.h"
#include "host/file/FileEnvironment.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "src/pages/scans/BillRewrite.h"

namespace {

using namespace kelo;

int Fail(const std::string& why)
{
    std::fprintf(stderr, "bill file check: %s\n", why.c_str());
    return 1;
}

int Make(const std::string& folder, uint32_t count)
{
    DataContext context = DataContext::Create(folder);
    CDDataResourceManager manager(context);
    manager.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceSave));
    manager.ObtainResources();
    std::vector<uint8_t> rec(kBillLength, 0);
    for (uint32_t n = 1; n <= count; ++n) {
        SetText(rec.data(), kBillDetails, "Bill " + std::to_string(n));
        SetF64(rec.data(), kBillNetAmount, n);
        WriteRec(manager.Context().File(kFileBills), n, rec.data());
    }
    manager.ReleaseResources();
    return 0;
}

int Delete(const std::string& folder, const std::string& log)
{
    DataContext context = DataContext::Open(folder);
    std::mt19937 random(std::random_device{}());
    for (;;) {
        CDDataResourceManager manager(context);
        manager.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceDelete));
        manager.ObtainResources();
        const uint32_t count = RecCount(manager.Context().File(kFileBills));
        if (count == 0) return 0;
        const uint32_t recNo = std::uniform_int_distribution<uint32_t>(1, count)(random);
        if (!RewriteBillFileWithout(manager.Context(), recNo)) return Fail("rewrite refused");
        manager.ReleaseResources();
        std::ofstream(log, std::ios::app) << count - 1 << '\n';
    }
}

int Check(const std::string& folder, const std::string& log)
{
    DataContext context = DataContext::Open(folder);
    DataFile bills = context.File(kFileBills);
    if (!FileExists(bills)) return Fail("the bill file is missing");
    FileEnvironment& env = context.Environment();
    const std::string rewrite = BillRewritePath(GetPathName(bills));
    for (const std::string& path : env.With(false, [&](store::Txn& t) { return env.Paths(t); }))
        if (path == rewrite) return Fail("the rewrite's file " + path + " was left behind");

    const uint32_t count = RecCount(bills);
    std::vector<uint8_t> rec(kBillLength, 0);
    long previous = 0;
    for (uint32_t n = 1; n <= count; ++n) {
        if (ReadRec(bills, n, rec.data()) == 0) return Fail("record " + std::to_string(n) + " is missing");
        const std::string details = GetText(rec.data(), kBillDetails);
        const long number = details.rfind("Bill ", 0) == 0 ? std::atol(details.c_str() + 5) : 0;
        if (number <= previous || GetF64(rec.data(), kBillNetAmount) != double(number))
            return Fail("record " + std::to_string(n) + " (" + details + ") is out of order or damaged");
        previous = number;
    }
    long logged = -1;
    std::ifstream in(log);
    for (long v; in >> v;) logged = v;
    if (logged >= 0 && count != uint32_t(logged) && count != uint32_t(logged - 1))
        return Fail(std::to_string(count) + " bills, but " + std::to_string(logged) + " were logged");
    std::printf("%u\n", count);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bill_delete_worker make|delete|check COMPANY N|LOG\n");
        return 2;
    }
    const std::string verb = argv[1];
    try {
        if (verb == "make") return Make(argv[2], static_cast<uint32_t>(std::atol(argv[3])));
        if (verb == "delete") return Delete(argv[2], argv[3]);
        if (verb == "check") return Check(argv[2], argv[3]);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    return 2;
}
