#include "project/LinkForest.h"

LinkForest::Verdict LinkForest::link(const TKeloBlock *holder, const TKeloBlock *held)
{
    if (holder == held)
        return Verdict::Itself;
    const int h = node(holder), c = node(held);
    if (fNodes[size_t(c)].holder)
        return Verdict::Held;
    // held is the top of its tree: the new link closes a loop exactly when holder
    // is in that tree.
    int a = root(h), b = root(c);
    if (a == b)
        return Verdict::Loop;
    fNodes[size_t(c)].holder = holder;
    if (fNodes[size_t(a)].size < fNodes[size_t(b)].size)
        std::swap(a, b);
    fNodes[size_t(b)].parent = a;
    fNodes[size_t(a)].size += fNodes[size_t(b)].size;
    return Verdict::Ok;
}

const TKeloBlock *LinkForest::holderOf(const TKeloBlock *b) const
{
    const auto it = fIndex.constFind(b);
    return it == fIndex.cend() ? nullptr : fNodes[size_t(*it)].holder;
}

int LinkForest::node(const TKeloBlock *b)
{
    const auto it = fIndex.constFind(b);
    if (it != fIndex.cend())
        return *it;
    const int i = int(fNodes.size());
    fNodes.push_back(Node{i, 1, nullptr});
    fIndex.insert(b, i);
    return i;
}

int LinkForest::root(int i)
{
    int r = i;
    while (fNodes[size_t(r)].parent != r)
        r = fNodes[size_t(r)].parent;
    while (fNodes[size_t(i)].parent != r) {
        const int next = fNodes[size_t(i)].parent;
        fNodes[size_t(i)].parent = r;
        i = next;
    }
    return r;
}
