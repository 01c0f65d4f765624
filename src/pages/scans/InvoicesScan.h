#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "src/pages/scans/ScanSink.h"
#include "src/pages/scans/TaskScan.h"

namespace kelo {

// The Invoices page without its window: invoices and credit notes still to print or post.
inline constexpr int kInvoicesCommand = 32606;

inline constexpr uint32_t kInvToPrint = 1;
inline constexpr uint32_t kInvToPost = 2;
inline constexpr uint32_t kCrdToPrint = 4;
inline constexpr uint32_t kCrdToPost = 8;

// Category bits of a document of `type` (0-2 invoices, 3-4 credit notes, else neither) with
// its printed and posted flags (0 = not yet).
uint32_t ClassifyInvoiceDocument(int8_t type, uint8_t printed, uint8_t posted);
// The document's value: first plus second amount, then the third, then the fourth.
double InvoiceValueOf(const uint8_t* invoiceRecord);

std::vector<TaskCategory> InvoicesCategories(const std::string& user, const CBAccessManager& access);
// The document column set (see IndexedListScan.h).
const CKColumnSet& InvoicesColumns();
// The fill: the invoicing file in document-number order.
void ScanInvoices(const ScanInput& input, ScanSink& sink);

const TaskScan& InvoicesTaskScan();

}  // namespace kelo
