#include "project/LinkForest.h"

#include <utility>

LinkForest::LinkForest(int count)
{
    fNodes.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        fNodes.push_back(Node{i, 1, -1});
}

LinkForest::Verdict LinkForest::check(int holder, int held)
{
    if (holder == held)
        return Verdict::Itself;
    if (fNodes[std::size_t(held)].holder >= 0)
        return Verdict::Held;
    // held is the top of its tree: the new link closes a loop exactly when holder is
    // in that tree.
    if (root(holder) == root(held))
        return Verdict::Loop;
    return Verdict::Ok;
}

LinkForest::Verdict LinkForest::link(int holder, int held)
{
    const Verdict v = check(holder, held);
    if (v != Verdict::Ok)
        return v;
    int a = root(holder), b = root(held);
    fNodes[std::size_t(held)].holder = holder;
    if (fNodes[std::size_t(a)].size < fNodes[std::size_t(b)].size)
        std::swap(a, b);
    fNodes[std::size_t(b)].parent = a;
    fNodes[std::size_t(a)].size += fNodes[std::size_t(b)].size;
    return Verdict::Ok;
}

int LinkForest::root(int i)
{
    int r = i;
    while (fNodes[std::size_t(r)].parent != r)
        r = fNodes[std::size_t(r)].parent;
    while (fNodes[std::size_t(i)].parent != r) {
        const int next = fNodes[std::size_t(i)].parent;
        fNodes[std::size_t(i)].parent = r;
        i = next;
    }
    return r;
}
