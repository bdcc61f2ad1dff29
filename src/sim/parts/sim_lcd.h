/* A 16x2 HD44780 display behind a PCF8574 port expander at I2C address 0x27, wired
 * as the display library drives it (Rs 0, Rw 1, En 2, backlight 3, D4..D7 4..7). */
#pragma once
#include "sim_i2c.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sim_lcd_t {
    sim_i2c_slave_t slave;
    uint8_t port;
    int four_bit, have_high, high;
    int display_on, increment, in_cgram;
    int addr, cgaddr;
    int errors;   /* what a real controller would not take: 8-bit data, reads */
    uint8_t ddram[128];
    uint8_t cgram[64];
} sim_lcd_t;

void sim_lcd_attach(avr_t *avr, sim_lcd_t *l);
/* The 16 characters of a row (0 or 1), as bytes of the display's character set. */
void sim_lcd_row(const sim_lcd_t *l, int row, uint8_t out[16]);
int sim_lcd_backlight(const sim_lcd_t *l);

#ifdef __cplusplus
}
#endif
