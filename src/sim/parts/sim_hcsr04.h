/* An HC-SR04 ultrasonic sensor (trigger and echo pins): a trigger pulse of 8 us or
 * more is answered, after the 200 us burst, by an echo pulse of 58 us a centimetre. */
#pragma once
#include "sim_line.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sim_hcsr04_t {
    sim_line_t trigger;
    sim_wave_t echo;
    avr_cycle_count_t high_since;
    int cm;   /* the obstacle; starts at 123 */
} sim_hcsr04_t;

void sim_hcsr04_attach(avr_t *avr, sim_hcsr04_t *s, char tport, int tbit, char eport, int ebit);

#ifdef __cplusplus
}
#endif
