#include "sim_bmp180.h"

#include <string.h>

static const int16_t cal[11] = {408, -72, -14383, (int16_t)32741, (int16_t)32757, 23153,
                                6190, 4, -32768, -8711, 2868};

static void bmp_write(sim_i2c_slave_t *s, int index, uint8_t data)
{
    sim_bmp180_t *b = s->state;
    if (index == 0) {
        b->pointer = data;
        return;
    }
    b->reg[b->pointer] = data;
    if (b->pointer == 0xF4) {
        if (data == 0x2E) {
            b->reg[0xF6] = b->ut >> 8;
            b->reg[0xF7] = b->ut & 0xFF;
        } else if ((data & 0x3F) == 0x34) {
            const int oss = data >> 6;
            const uint32_t raw = b->up << (8 - oss);
            b->reg[0xF6] = (raw >> 16) & 0xFF;
            b->reg[0xF7] = (raw >> 8) & 0xFF;
            b->reg[0xF8] = raw & 0xFF;
        }
    }
    b->pointer++;
}

static uint8_t bmp_read(sim_i2c_slave_t *s)
{
    sim_bmp180_t *b = s->state;
    return b->reg[b->pointer++];
}

void sim_bmp180_attach(avr_t *avr, sim_bmp180_t *b)
{
    memset(b, 0, sizeof *b);
    for (int i = 0; i < 11; i++) {
        b->reg[0xAA + 2 * i] = (uint8_t)((uint16_t)cal[i] >> 8);
        b->reg[0xAB + 2 * i] = (uint8_t)((uint16_t)cal[i] & 0xFF);
    }
    b->reg[0xD0] = 0x55;
    b->ut = 27898;
    b->up = 23843;
    b->slave.address = 0x77;
    b->slave.write = bmp_write;
    b->slave.read = bmp_read;
    b->slave.state = b;
    sim_i2c_attach(avr, &b->slave);
}

void sim_bmp180_compensate(uint16_t ut, uint32_t up, int32_t *tenths_celsius, int32_t *pascals)
{
    const int32_t ac1 = cal[0], ac2 = cal[1], ac3 = cal[2], b1 = cal[6], b2 = cal[7], mc = cal[9], md = cal[10];
    const uint32_t ac4 = (uint16_t)cal[3], ac5 = (uint16_t)cal[4], ac6 = (uint16_t)cal[5];
    int32_t x1 = ((int32_t)ut - (int32_t)ac6) * (int32_t)ac5 / 32768;
    int32_t x2 = mc * 2048 / (x1 + md);
    const int32_t b5 = x1 + x2;
    *tenths_celsius = (b5 + 8) / 16;
    const int32_t b6 = b5 - 4000;
    x1 = (b2 * (b6 * b6 / 4096)) / 2048;
    x2 = ac2 * b6 / 2048;
    int32_t x3 = x1 + x2;
    const int32_t b3 = ((ac1 * 4 + x3) + 2) / 4;
    x1 = ac3 * b6 / 8192;
    x2 = (b1 * (b6 * b6 / 4096)) / 65536;
    x3 = (x1 + x2 + 2) / 4;
    const uint32_t b4 = ac4 * (uint32_t)(x3 + 32768) / 32768;
    const uint32_t b7 = (up - (uint32_t)b3) * 50000UL;
    int32_t p = b7 < 0x80000000UL ? (int32_t)(b7 * 2 / b4) : (int32_t)(b7 / b4 * 2);
    x1 = (p / 256) * (p / 256);
    x1 = x1 * 3038 / 65536;
    x2 = -7357L * p / 65536;
    *pascals = p + (x1 + x2 + 3791) / 16;
}

void sim_bmp180_set(sim_bmp180_t *b, int32_t tenths_celsius, int32_t pascals)
{
    /* Both readings grow with their raw values: halve the range to the first raw
     * value that reaches the wanted one. */
    int32_t t, p;
    uint32_t lo = 0, hi = 65535;
    while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2;
        sim_bmp180_compensate((uint16_t)mid, b->up, &t, &p);
        if (t < tenths_celsius)
            lo = mid + 1;
        else
            hi = mid;
    }
    b->ut = (uint16_t)lo;
    lo = 0;
    hi = 65535;
    while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2;
        sim_bmp180_compensate(b->ut, mid, &t, &p);
        if (p < pascals)
            lo = mid + 1;
        else
            hi = mid;
    }
    b->up = lo;
}
