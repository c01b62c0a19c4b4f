#include "controls/ValueRange.h"

#include <cmath>

ValueRange::ValueRange(double lo, double hi, double v) {
    setRange(lo, hi);
    set(v);
}

bool ValueRange::setRange(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo)) return false;
    if (lo >= hi) hi = lo + 1;  // near the largest doubles this may still equal lo
    minimum = lo;
    maximum = hi;
    value = clamp(value);
    return true;
}

double ValueRange::clamp(double v) const {
    if (minimum > v) return minimum;
    if (v > maximum) return maximum;
    return v;
}

bool ValueRange::set(double v) {
    if (std::isnan(v)) return false;
    const double c = clamp(v);
    if (c == value) return false;
    value = c;
    return true;
}

double ValueRange::fraction() const {
    if (maximum == minimum) return 0;
    return (value - minimum) / (maximum - minimum);
}

bool ValueRange::setFraction(double f) {
    if (std::isnan(f)) return false;
    if (f < 0) f = 0;
    if (f > 1) f = 1;
    return set(f * (maximum - minimum) + minimum);
}
