#pragma once

#include <QHashFunctions>
#include <QList>
#include <QPoint>

// The outline of a block: its upper and lower border lines and the polygon of both
// (the snap points are kept by the block itself). It depends on
// the block's shape only, so blocks of one shape share it.
struct BlockOutline {
    struct Shape {
        int width, height, nospadUp, nospadDn;
        bool topNose, botNose;
        bool operator==(const Shape &) const = default;
    };

    QList<QPoint> up, dn, all;
};

inline size_t qHash(const BlockOutline::Shape &s, size_t seed = 0)
{
    return qHashMulti(seed, s.width, s.height, s.nospadUp, s.nospadDn, s.topNose, s.botNose);
}
