#include "sim_lcd.h"

#include <string.h>

enum { RS = 0x01, RW = 0x02, EN = 0x04, LIGHT = 0x08 };

static void lcd_instruction(sim_lcd_t *l, uint8_t v)
{
    if (v & 0x80) {
        l->in_cgram = 0;
        l->addr = v & 0x7F;
    } else if (v & 0x40) {
        l->in_cgram = 1;
        l->cgaddr = v & 0x3F;
    } else if (v & 0x20) {
        if (l->four_bit && (v & 0x10))
            l->errors++; /* back to 8 bits in the middle of a session */
    } else if (v & 0x10) {
        /* cursor or display shift: not used */
    } else if (v & 0x08) {
        l->display_on = (v & 0x04) != 0;
    } else if (v & 0x04) {
        l->increment = (v & 0x02) != 0;
    } else if (v & 0x02) {
        l->addr = 0;
    } else if (v & 0x01) {
        memset(l->ddram, ' ', sizeof l->ddram);
        l->addr = 0;
        l->in_cgram = 0;
        l->increment = 1;
    }
}

static void lcd_data(sim_lcd_t *l, uint8_t v)
{
    if (l->in_cgram) {
        l->cgram[l->cgaddr] = v;
        l->cgaddr = (l->cgaddr + 1) & 0x3F;
    } else {
        l->ddram[l->addr] = v;
        l->addr = (l->addr + (l->increment ? 1 : -1)) & 0x7F;
    }
}

/* The controller takes the data lines when En falls. */
static void lcd_port_write(sim_i2c_slave_t *s, int index, uint8_t data)
{
    (void)index;
    sim_lcd_t *l = s->state;
    const uint8_t old = l->port;
    l->port = data;
    if (!((old & EN) && !(data & EN)))
        return;
    if (data & RW) {
        l->errors++; /* nothing of ours reads the display */
        return;
    }
    const int nibble = data >> 4;
    if (!l->four_bit) {
        /* Still in 8-bit mode: D0..D3 are not wired and read as 0. */
        const uint8_t v = (uint8_t)(nibble << 4);
        if ((v & 0xE0) == 0x20 && !(v & 0x10))
            l->four_bit = 1;
        else if (data & RS)
            l->errors++;
        return;
    }
    if (!l->have_high) {
        l->high = nibble;
        l->have_high = 1;
        return;
    }
    l->have_high = 0;
    const uint8_t v = (uint8_t)(l->high << 4 | nibble);
    if (data & RS)
        lcd_data(l, v);
    else
        lcd_instruction(l, v);
}

static uint8_t lcd_port_read(sim_i2c_slave_t *s)
{
    return ((sim_lcd_t *)s->state)->port;
}

void sim_lcd_attach(avr_t *avr, sim_lcd_t *l)
{
    memset(l, 0, sizeof *l);
    memset(l->ddram, ' ', sizeof l->ddram);
    l->increment = 1;
    l->slave.address = 0x27;
    l->slave.write = lcd_port_write;
    l->slave.read = lcd_port_read;
    l->slave.state = l;
    sim_i2c_attach(avr, &l->slave);
}

void sim_lcd_row(const sim_lcd_t *l, int row, uint8_t out[16])
{
    memcpy(out, l->ddram + (row ? 0x40 : 0x00), 16);
}

int sim_lcd_backlight(const sim_lcd_t *l)
{
    return (l->port & LIGHT) != 0;
}
