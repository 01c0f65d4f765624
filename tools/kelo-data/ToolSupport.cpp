#include "tools/kelo-data/ToolSupport.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "host/file/FileError.h"
#include "host/data/AccountRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/NominalRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/StockRecord.h"
#include "host/data/ToDoRecord.h"
#include "tools/kelo-data/ToolError.h"

namespace kelo::tool {

namespace {

template <typename Key>
std::string asString(const Key& key)
{
    return std::string(reinterpret_cast<const char*>(key.data()), key.size());
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool IsCompanyFolder(const std::string& folder)
{
    return std::filesystem::exists(std::filesystem::path(folder) / "data.mdb") ||
           !store::ServerUrl(folder).empty();
}

DataContext OpenCompany(const std::string& folder, bool forReading)
{
    const bool server = !store::ServerUrl(folder).empty();
    if (!server && !std::filesystem::is_directory(folder))
        throw ToolError(folder + ": no such folder");
    if (!IsCompanyFolder(folder)) throw ToolError(folder + ": not a company folder (no data.mdb)");
    try {
        return forReading ? DataContext::OpenForReading(folder) : DataContext::Open(folder);
    } catch (const FileError& e) {
        throw ToolError(folder + ": " + e.what());
    }
}

const FileInfo& ResolveFile(std::string_view arg)
{
    if (!arg.empty() && std::isdigit(static_cast<unsigned char>(arg.front()))) {
        int number = -1;
        const auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), number);
        if (ec == std::errc() && end == arg.data() + arg.size())
            if (const FileInfo* info = FindFile(number)) return *info;
    }
    for (const FileInfo& info : AllFiles())
        if (equalsIgnoringCase(info.path, arg)) return info;
    throw ToolError("unknown file " + std::string(arg) +
                    " (give a file number or a path name such as SALES.DTA)");
}

const FileInfo* IndexOf(int dataFile)
{
    for (const FileInfo& info : AllFiles())
        if (info.kind == FileKind::Index && info.dataFile == dataFile) return &info;
    return nullptr;
}

uint32_t DeletionMarkOffset(int dataFile)
{
    switch (dataFile) {
    case kFileCustomers:
    case kFileSuppliers: return kAccountName.offset;
    case kFileNominal: return kNominalName.offset;
    case kFileBank: return kBankName.offset;
    case kFileInvoices: return kInvoiceCustomerName.offset;
    case kFileSalesOrders: return kSalesOrderCustomerName.offset;
    case kFilePurchaseOrders: return kPurchaseOrderSupplierName.offset;
    case kFileStock: return kStockDescription.offset;
    default: return 0;
    }
}

bool IsDeletedRecord(int dataFile, const uint8_t* rec)
{
    return rec[DeletionMarkOffset(dataFile)] == 0xFF;
}

std::string IndexKeyOf(int dataFile, const uint8_t* rec, uint32_t recno)
{
    switch (dataFile) {
    case kFileCustomers:
    case kFileSuppliers: return asString(BuildAccountKey(GetText(rec, kAccountReference)));
    case kFileNominal: return asString(BuildAccountKey(GetText(rec, kNominalCode)));
    case kFileBank: return asString(BuildAccountKey(GetText(rec, kBankCode)));
    case kFileInvoices: return asString(BuildDocumentKey(GetU32(rec, kInvoiceNumber), recno));
    case kFileSalesOrders:
        return asString(BuildDocumentKey(GetU32(rec, kSalesOrderNumber), recno));
    case kFilePurchaseOrders:
        return asString(BuildDocumentKey(GetU32(rec, kPurchaseOrderNumber), recno));
    case kFileStock: return asString(BuildStockKey(GetText(rec, kStockCode), recno));
    case kFileToDo: return asString(BuildToDoKeyOfRecord(rec, recno));
    case kFileSplits:
        return asString(BuildTransactionKey(GetU32(rec, kSplitTransactionNumber)));
    }
    throw ToolError("file " + std::to_string(dataFile) + " has no index");
}

std::string PrintableKey(std::string_view key)
{
    std::string out;
    for (const char ch : key) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += ch;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

long long ParseNumber(std::string_view text, std::string_view what, long long min, long long max)
{
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < min || v > max)
        throw ToolError("bad " + std::string(what) + " '" + std::string(text) + "' (a whole number from " +
                        std::to_string(min) + " to " + std::to_string(max) + ")");
    return v;
}

}  // namespace kelo::tool
