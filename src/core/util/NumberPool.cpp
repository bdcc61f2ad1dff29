#include "NumberPool.h"

bool NumberPool::contains(int n) const
{
    auto it = fRanges.upper_bound(n);
    if (it == fRanges.begin())
        return false;
    --it;
    return n <= it->second;
}

void NumberPool::insert(int n)
{
    if (contains(n))
        return;
    int first = n, last = n;
    auto next = fRanges.upper_bound(n);
    if (next != fRanges.end() && next->first == n + 1) {
        last = next->second;
        next = fRanges.erase(next);
    }
    if (next != fRanges.begin()) {
        auto prev = std::prev(next);
        if (prev->second == n - 1) {
            prev->second = last;
            return;
        }
    }
    fRanges.emplace(first, last);
}

void NumberPool::erase(int n)
{
    auto it = fRanges.upper_bound(n);
    if (it == fRanges.begin())
        return;
    --it;
    const int first = it->first, last = it->second;
    if (n > last)
        return;
    fRanges.erase(it);
    if (first <= n - 1)
        fRanges.emplace(first, n - 1);
    if (n + 1 <= last)
        fRanges.emplace(n + 1, last);
}

int NumberPool::smallestFree() const
{
    if (fRanges.empty() || fRanges.begin()->first > 1)
        return 1;
    return fRanges.begin()->second + 1;
}
