#pragma once

#include <map>

// A set of positive integers kept as disjoint ranges, answering "the smallest number
// >= 1 not in the set" in logarithmic time. Block naming uses one pool per prefix.
class NumberPool {
public:
    void insert(int n);
    void erase(int n);
    bool contains(int n) const;
    int smallestFree() const;
    bool empty() const { return fRanges.empty(); }

private:
    std::map<int, int> fRanges;  // first -> last, disjoint and not adjacent
};
