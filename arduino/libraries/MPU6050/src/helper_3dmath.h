#pragma once

#include <stdint.h>

// Three-axis readings of the motion sensor: raw counts as the chip gives them, and
// the same converted to physical units.
struct VectorInt16 {
    int16_t x = 0, y = 0, z = 0;
};

struct VectorFloat {
    float x = 0, y = 0, z = 0;

    VectorFloat() = default;
    VectorFloat(float ax, float ay, float az) : x(ax), y(ay), z(az) {}

    VectorFloat operator+(const VectorFloat &o) const { return VectorFloat(x + o.x, y + o.y, z + o.z); }
    VectorFloat operator-(const VectorFloat &o) const { return VectorFloat(x - o.x, y - o.y, z - o.z); }
    VectorFloat operator*(float k) const { return VectorFloat(x * k, y * k, z * k); }
};
