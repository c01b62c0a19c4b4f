#include "lists/FenwickTree.h"

#include <cstddef>

namespace {

int lowbit(int i) { return i & -i; }

}  // namespace

void FenwickTree::push(int64_t value) {
    // The new node covers the elements (n + 1 - lowbit(n + 1), n]; all but
    // the new one are already counted in prefix sums.
    const int n = int(node.size());
    const int oneBased = n + 1;
    const int64_t covered = prefix(n) - prefix(oneBased - lowbit(oneBased));
    node.push_back(covered + value);
    sum += value;
}

void FenwickTree::add(int i, int64_t delta) {
    if (i < 0 || i >= int(node.size())) return;
    sum += delta;
    for (int k = i + 1; k <= int(node.size()); k += lowbit(k)) node[std::size_t(k - 1)] += delta;
}

int64_t FenwickTree::prefix(int i) const {
    if (i > int(node.size())) i = int(node.size());
    int64_t s = 0;
    for (int k = i; k > 0; k -= lowbit(k)) s += node[std::size_t(k - 1)];
    return s;
}

int FenwickTree::find(int64_t pos) const {
    // Binary lifting: the largest count of leading elements whose sum stays
    // at or below pos.
    const int n = int(node.size());
    int step = 1;
    while (step * 2 <= n) step *= 2;
    int at = 0;
    for (; step > 0; step /= 2) {
        const int next = at + step;
        if (next <= n && node[std::size_t(next - 1)] <= pos) {
            at = next;
            pos -= node[std::size_t(next - 1)];
        }
    }
    return at < n ? at : n - 1;
}

void FenwickTree::clear() {
    node.clear();
    node.shrink_to_fit();
    sum = 0;
}
