#pragma once

#include <cstdint>
#include <vector>

// Prefix sums over a sequence that only grows at its end, with point
// updates. Every operation costs O(log n), so the tree list can map display
// positions to rows and back without walking its rows.
class FenwickTree {
public:
    // Appends an element with the given value.
    void push(int64_t value);
    // Adds delta to element i.
    void add(int i, int64_t delta);
    // Sum of elements [0, i).
    int64_t prefix(int i) const;
    // Sum of all elements.
    int64_t total() const { return sum; }
    // The element whose range holds the position: the largest i with
    // prefix(i) <= pos. The caller keeps pos in [0, total()) and the values
    // non-negative.
    int find(int64_t pos) const;
    int size() const { return int(node.size()); }
    void clear();

private:
    std::vector<int64_t> node;  // node[i] covers elements (i + 1 - lowbit(i + 1), i]
    int64_t sum = 0;
};
