#pragma once

// The range and value shared by the slider, the spin box and the gauge.
// The value always lies within [minimum, maximum].
class ValueRange {
public:
    ValueRange() = default;
    // Starts with the given range (0..100 when it is refused) and value
    // (the minimum when it is NaN).
    ValueRange(double lo, double hi, double v);

    double minimum = 0;
    double maximum = 100;
    double value = 0;

    // Refused (false, nothing changes) unless both ends and their distance
    // are finite. An empty or reversed range becomes lo..lo+1. The value is
    // pulled into the new range.
    bool setRange(double lo, double hi);
    // NaN is ignored; anything else is clamped, infinities to the ends.
    // True when the value changed.
    bool set(double v);
    // The number clamped into the range; NaN stays NaN.
    double clamp(double v) const;
    // Position of the value in the range, 0 for an empty range.
    double fraction() const;
    // f is clamped to [0, 1]; NaN is ignored. True when the value changed.
    bool setFraction(double f);
};
