#pragma once

#include <array>

namespace rotaplan {

class Program;

inline constexpr const char* MakerName = "Quarrow Programs";

// The pages the program links to. They live under example.com until the maker's and the
// suppliers' own addresses are settled.
namespace WebLinks {
inline constexpr const char* MakerHome = "https://www.example.com/quarrow/";
inline constexpr const char* CompareFeatures = "https://www.example.com/quarrow/compare.html";
inline constexpr const char* BusinessForms = "https://forms.example.com/refer?from=quarrow";
inline constexpr const char* OfficeSupplies = "https://office.example.com/";
} // namespace WebLinks

inline constexpr const char* OfficeRetailer = "Office Supplies at Example Office";
inline constexpr const char* ChecksPromotion =
    "Order your checks, invoices and work orders from our forms partner\r\n"
    "and get 20% off your first order.\r\n"
    "Would you like to visit their web site now?";

struct OtherProduct {
    const char* objectName;
    const char* caption;
    const char* purchasePage;
};
inline constexpr std::array<OtherProduct, 3> OtherProducts = {{
    {"mnuPlanora", "Planora Project Planner", "https://shop.example.com/quarrow/planora"},
    {"mnuCrewdesk", "Crewdesk Grandex for Larger Crews",
     "https://shop.example.com/quarrow/crewdesk-grandex"},
    {"mnuTillvane", "Tillvane Cash Book", "https://shop.example.com/quarrow/tillvane"},
}};

// Opens the page in the desktop's browser; a failure to write the shortcut is reported.
void OpenLink(Program& program, const char* address);

} // namespace rotaplan
