#include "tools/kelo-data/demo/DemoNames.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace kelo::demo {

namespace {

using Names = std::span<const std::string_view>;

constexpr std::string_view kPlaces[] = {
    "Abbey",     "Ashford",  "Beacon",   "Bramley",   "Brookside", "Castle",    "Cedar",
    "Chiltern",  "Clifton",  "Copperfield", "Crown",  "Dale",      "Elmwood",   "Fairway",
    "Falcon",    "Fenwick",  "Glenside", "Granite",   "Harbour",   "Hawthorn",  "Highgate",
    "Kestrel",   "Kingsley", "Lakeside", "Linden",    "Maple",     "Meadowbank", "Millbrook",
    "Northgate", "Oakridge", "Orchard",  "Pennine",   "Quayside",  "Redwood",   "Riverside",
    "Rowan",     "Severn",   "Southfield", "Thames",  "Willow",    "Ashdown",   "Belmont",
    "Carlton",   "Downland", "Eastleigh", "Foxglove", "Greenway",  "Heathfield",
};
constexpr std::string_view kCustomerTrades[] = {
    "Print & Design", "Dental Practice", "Veterinary Surgery", "Estate Agents", "Architects",
    "Solicitors",     "Garden Centre",   "Motors",             "Builders",      "Joinery",
    "Hotel",          "Surveyors",       "Accountancy",        "Engineering",   "Pharmacy",
    "Medical Centre", "Insurance Brokers", "Plumbing & Heating", "Electrical",  "Catering",
    "Interiors",      "Logistics",       "Florists",           "Bakery",        "Opticians",
    "Lettings",       "Bookshop",        "Fitness",            "Travel",        "Academy",
};
constexpr std::string_view kSupplierTrades[] = {
    "Paper Mills",       "Office Furniture", "Print Supplies", "Stationery Wholesale",
    "Computer Distribution", "Packaging",    "Freight",        "Toner Supplies",
    "Envelopes",         "Business Machines", "Cleaning Supplies", "Signs",
    "Office Seating",    "Filing Systems",   "Couriers",       "Labels",
};
constexpr std::string_view kSuffixes[] = {"Ltd", "Ltd", "Limited", "& Co", "LLP", "Ltd", "Plc", ""};
constexpr std::string_view kMenTitles[] = {"Mr", "Mr", "Mr", "Dr"};
constexpr std::string_view kWomenTitles[] = {"Mrs", "Ms", "Miss", "Mrs", "Dr"};
constexpr std::string_view kMen[] = {"James", "David", "Peter",  "Michael", "Andrew", "Robert",
                                     "Steven", "Paul", "Mark",   "Simon",   "Gary",   "Ian",
                                     "Neil",  "Graham"};
constexpr std::string_view kWomen[] = {"Helen", "Sarah", "Claire", "Rachel", "Emma",   "Karen",
                                       "Louise", "Joanne", "Susan", "Alison", "Nicola", "Fiona",
                                       "Julie"};
constexpr std::string_view kSurnames[] = {
    "Carter", "Hughes",  "Walsh",   "Bennett", "Foster", "Mitchell", "Turner",  "Parker",
    "Collins", "Edwards", "Morgan", "Howard",  "Reid",   "Palmer",   "Fletcher", "Lawson",
    "Marsh",  "Dixon",   "Barker",  "Holt",    "Pearce", "Griffiths", "Sutton", "Webb",
};
constexpr std::string_view kAreaCodes[] = {
    "0113 496 0", "0114 496 0", "0115 496 0", "0116 496 0", "0117 496 0", "0118 496 0",
    "0121 496 0", "0131 496 0", "0141 496 0", "0151 496 0", "0161 496 0", "0191 498 0",
    "020 7946 0", "029 2018 0", "01632 960 ",
};
constexpr std::string_view kSalesDetails[] = {
    "Copier paper and envelopes", "Office chairs",          "Toner cartridges",
    "Stationery order",           "Filing cabinets",        "Printer ink and labels",
    "Desk and pedestal",          "Archive boxes",          "Monthly stationery account",
    "Meeting room furniture",     "Shredder and bags",      "Notebooks and pens",
};
constexpr std::string_view kPurchaseDetails[] = {
    "Paper stock",            "Furniture for resale",  "Toner stock",   "Envelope stock",
    "Carriage inwards",       "Packaging materials",   "Pens and markers stock",
    "Filing products",        "Seating stock",         "Label stock",
};

std::string_view pick(DemoRandom& random, Names names) { return random.Pick(names); }

}  // namespace

std::string BusinessName(DemoRandom& random, Trade trade)
{
    std::string name(pick(random, kPlaces));
    name += ' ';
    name += pick(random, trade == Trade::Customer ? Names(kCustomerTrades) : Names(kSupplierTrades));
    const std::string_view suffix = pick(random, kSuffixes);
    if (!suffix.empty()) {
        name += ' ';
        name += suffix;
    }
    return name;
}

std::string PersonName(DemoRandom& random)
{
    const bool man = random.Chance(50);
    std::string name(pick(random, man ? Names(kMenTitles) : Names(kWomenTitles)));
    name += ' ';
    name += pick(random, man ? Names(kMen) : Names(kWomen));
    name += ' ';
    name += pick(random, kSurnames);
    return name;
}

std::string Telephone(DemoRandom& random)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03u", random.Below(1000));
    return std::string(pick(random, kAreaCodes)) + digits;
}

std::string InvoiceDetails(DemoRandom& random, Trade trade)
{
    return std::string(
        pick(random, trade == Trade::Customer ? Names(kSalesDetails) : Names(kPurchaseDetails)));
}

std::string AccountCodes::Next(const std::string& name)
{
    std::string prefix;
    for (const char c : name) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            prefix += char(std::toupper(static_cast<unsigned char>(c)));
        if (prefix.size() == 3) break;
    }
    prefix.resize(3, 'X');
    const int n = ++m_used[prefix];
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", n);
    return prefix + digits;  // at most eight characters up to 99,999 accounts a prefix
}

}  // namespace kelo::demo
