// A power function that gives the same bits on every platform and compiler.
// The C library's pow differs between platforms in the last bit; this one is
// built from additions, multiplications and divisions only (the build
// forbids contracting them into fused operations), with tables computed once
// in high precision. For exponents of magnitude 1 or less (the geometric
// means take roots) it stays within about half an ulp of the exact value;
// the error of log x is multiplied by y, so a huge y costs ulps (about ten
// at y = 2^23).
#pragma once

namespace cclp {

// x raised to y, for x > 0 and both finite. Zero, negative, infinite and NaN
// arguments give what the C library's pow gives, whose results there are
// exact and the same everywhere.
double portablePow(double x, double y);

}  // namespace cclp
