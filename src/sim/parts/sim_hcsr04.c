#include "sim_hcsr04.h"

#include <string.h>

static void sonar_changed(sim_line_t *l)
{
    sim_hcsr04_t *s = l->model;
    avr_t *avr = l->avr;
    const int high = l->ddr && l->out;
    if (high) {
        s->high_since = avr->cycle;
        return;
    }
    if (!s->high_since)
        return;
    const double us = (double)(avr->cycle - s->high_since) * 1e6 / (double)avr->frequency;
    s->high_since = 0;
    if (us < 8)
        return; /* too short a trigger pulse */
    /* The burst takes 200 us, then the echo pin is high for the round trip. */
    s->echo.n = 0;
    sim_wave_add(&s->echo, 0, 200);
    sim_wave_add(&s->echo, 1, (uint32_t)(s->cm < 1 ? 1 : s->cm) * 58);
    sim_wave_add(&s->echo, 0, 0);
    sim_wave_start(&s->echo);
}

void sim_hcsr04_attach(avr_t *avr, sim_hcsr04_t *s, char tport, int tbit, char eport, int ebit)
{
    memset(s, 0, sizeof *s);
    s->cm = 123;
    s->trigger = (sim_line_t){.avr = avr, .port = tport, .bit = tbit, .changed = sonar_changed, .model = s};
    s->echo.avr = avr;
    s->echo.pin = sim_pin_irq(avr, eport, ebit);
    sim_line_follow(&s->trigger);
    avr_raise_irq(s->echo.pin, 0);
}
