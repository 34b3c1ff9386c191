#pragma once

#include "store/SlipRecord.h"

#include <array>

namespace rotaplan {

// The seven customer boxes that the intake, the call slip and the call record form show, in
// tab order, which is the record's order.
struct CustomerBox {
    const char* name;
    const char* label;
    const char* toolTip;
    int maxLength; // 0: no limit on the box, the record keeps the field's width
    SlipField field;
};

inline constexpr std::array<CustomerBox, 7> CustomerBoxes = {{
    {"txtName", "Name", nullptr, 30, SlipField::Name},
    {"txtStreet", "Address 1", "Strret Address", 35, SlipField::Street},
    {"txtApt", "Address 2", "Enter any additional info here", 25, SlipField::Apt},
    {"txtCity", "City", nullptr, 0, SlipField::City},
    {"txtST", "St", nullptr, 2, SlipField::ST},
    {"txtZip", "Zip code", "Enter Zipcode here", 10, SlipField::Zip},
    {"txtTel", "Telephone Number", "Enter telephone Number", 12, SlipField::Tel},
}};

} // namespace rotaplan
