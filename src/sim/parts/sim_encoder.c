#include "sim_encoder.h"

#include <sim_cycle_timers.h>
#include <sim_time.h>
#include <string.h>

static void encoder_motor(sim_line_t *l)
{
    (void)l;
}

static avr_cycle_count_t encoder_tick(struct avr_t *a, avr_cycle_count_t when, void *param)
{
    sim_encoder_t *e = param;
    if (e->motor.ddr && e->motor.out) {
        e->level = !e->level;
        avr_raise_irq(e->out, (uint32_t)e->level);
    }
    return when + avr_usec_to_cycles(a, 5000);
}

void sim_encoder_attach(avr_t *avr, sim_encoder_t *e, char mport, int mbit, char eport, int ebit)
{
    memset(e, 0, sizeof *e);
    e->motor = (sim_line_t){.avr = avr, .port = mport, .bit = mbit, .changed = encoder_motor, .model = e};
    e->out = sim_pin_irq(avr, eport, ebit);
    sim_line_follow(&e->motor);
    avr_raise_irq(e->out, 0);
    avr_cycle_timer_register_usec(avr, 5000, encoder_tick, e);
}
