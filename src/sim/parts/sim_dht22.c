#include "sim_dht22.h"

#include <string.h>

static void dht_changed(sim_line_t *l)
{
    sim_dht22_t *d = l->model;
    avr_t *avr = l->avr;
    const int low = l->ddr && !l->out;
    if (low && !d->host_low) {
        d->host_low = 1;
        d->low_since = avr->cycle;
        return;
    }
    if (!d->host_low || low)
        return;
    d->host_low = 0;
    const double ms = (double)(avr->cycle - d->low_since) * 1000.0 / (double)avr->frequency;
    if (l->ddr || ms < 0.8 || ms > 30)
        return;
    /* Released after a start pulse: the pull-up, then the answer of the data sheet. */
    d->wave.n = 0;
    sim_wave_add(&d->wave, 1, 30);
    sim_wave_add(&d->wave, 0, 80);
    sim_wave_add(&d->wave, 1, 80);
    for (int i = 0; i < 40; i++) {
        sim_wave_add(&d->wave, 0, 50);
        sim_wave_add(&d->wave, 1, (d->data[i / 8] >> (7 - i % 8)) & 1 ? 70 : 26);
    }
    sim_wave_add(&d->wave, 0, 50);
    sim_wave_add(&d->wave, 1, 0);
    sim_wave_start(&d->wave);
}

void sim_dht22_set(sim_dht22_t *d, int tenths_celsius, int tenths_percent)
{
    const unsigned h = (unsigned)(tenths_percent < 0 ? 0 : tenths_percent);
    const unsigned t = (unsigned)(tenths_celsius < 0 ? -tenths_celsius : tenths_celsius);
    d->tenths_celsius = tenths_celsius;
    d->tenths_percent = tenths_percent;
    if (d->dht11) {
        d->data[0] = (uint8_t)(h / 10);
        d->data[1] = (uint8_t)(h % 10);
        d->data[2] = (uint8_t)(t / 10);
        d->data[3] = (uint8_t)((t % 10) | (tenths_celsius < 0 ? 0x80 : 0));
    } else {
        d->data[0] = (uint8_t)(h >> 8);
        d->data[1] = (uint8_t)(h & 0xFF);
        d->data[2] = (uint8_t)(((t >> 8) & 0x7F) | (tenths_celsius < 0 ? 0x80 : 0));
        d->data[3] = (uint8_t)(t & 0xFF);
    }
    d->data[4] = (uint8_t)(d->data[0] + d->data[1] + d->data[2] + d->data[3]);
}

void sim_dht22_attach(avr_t *avr, sim_dht22_t *d, char port, int bit)
{
    memset(d, 0, sizeof *d);
    sim_dht22_set(d, -101, 652);
    d->line = (sim_line_t){.avr = avr, .port = port, .bit = bit, .changed = dht_changed, .model = d};
    d->wave.avr = avr;
    d->wave.pin = sim_pin_irq(avr, port, bit);
    sim_line_follow(&d->line);
    avr_raise_irq(d->wave.pin, 1); /* the pull-up resistor of the module */
}

void sim_dht22_as_dht11(sim_dht22_t *d)
{
    d->dht11 = 1;
    sim_dht22_set(d, d->tenths_celsius, d->tenths_percent);
}
