/* A robot wheel's photo-interrupter: while the motor's pin is driven high (the wheel
 * turns), the interrupter's pin changes level every 5 ms. */
#pragma once
#include "sim_line.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sim_encoder_t {
    sim_line_t motor;
    avr_irq_t *out;
    int level;
} sim_encoder_t;

void sim_encoder_attach(avr_t *avr, sim_encoder_t *e, char mport, int mbit, char eport, int ebit);

#ifdef __cplusplus
}
#endif
