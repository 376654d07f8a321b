// Number formatting shared by the table and the plot.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cclp_cli {

// Fixed decimals, "-0.000" printed as "0.000"; from 1e12 on in exponent
// form ("1.000e+308") with as many decimals.
std::string decimals(double value, int places);
// As decimals, with a sign always.
std::string signedDecimals(double value, int places);
// Short form for axis ticks and labels: at most `significant` digits, no trailing zeros.
std::string compact(double value, int significant = 4);

// Edge indices as the reports show them: "#2 #5".
std::string indexList(const std::vector<std::size_t>& indices);

}  // namespace cclp_cli
