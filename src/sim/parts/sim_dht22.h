/* A DHT22 temperature and humidity sensor on one pin: after the host's start pulse
 * (low for 0.8 to 30 ms, then released) it answers as its data sheet shows. As a DHT11
 * it answers the same way with that sensor's bytes (whole units, then tenths). */
#pragma once
#include "sim_line.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sim_dht22_t {
    sim_line_t line;
    sim_wave_t wave;
    int host_low;
    avr_cycle_count_t low_since;
    uint8_t data[5];
    int dht11;
    int tenths_celsius, tenths_percent;
} sim_dht22_t;

/* Starts at 65.2 % and -10.1 degrees. */
void sim_dht22_attach(avr_t *avr, sim_dht22_t *d, char port, int bit);
/* Answers as a DHT11 from now on, with the values set last. */
void sim_dht22_as_dht11(sim_dht22_t *d);
/* Tenths of a degree (negative below zero) and of a percent. */
void sim_dht22_set(sim_dht22_t *d, int tenths_celsius, int tenths_percent);

#ifdef __cplusplus
}
#endif
