/* A BMP180 barometer at I2C address 0x77 with the calibration of the data sheet's
 * worked example. Its raw readings start as that example's (27898 and 23843: 15.0
 * degrees, 699.64 hPa) and can be set from a temperature and a pressure. */
#pragma once
#include "sim_i2c.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sim_bmp180_t {
    sim_i2c_slave_t slave;
    uint8_t reg[256];
    uint8_t pointer;
    uint16_t ut;   /* raw temperature */
    uint32_t up;   /* raw pressure at oversampling 0 */
} sim_bmp180_t;

void sim_bmp180_attach(avr_t *avr, sim_bmp180_t *b);
/* The raw readings closest to tenths of a degree and pascals, as the data sheet's
 * compensation (oversampling 0) turns them back. */
void sim_bmp180_set(sim_bmp180_t *b, int32_t tenths_celsius, int32_t pascals);
/* The data sheet's compensation of raw readings. */
void sim_bmp180_compensate(uint16_t ut, uint32_t up, int32_t *tenths_celsius, int32_t *pascals);

#ifdef __cplusplus
}
#endif
