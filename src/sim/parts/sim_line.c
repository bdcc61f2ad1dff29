#include "sim_line.h"

#include <avr_ioport.h>
#include <sim_cycle_timers.h>
#include <sim_irq.h>
#include <sim_time.h>

double sim_now_ms(const avr_t *avr)
{
    return (double)avr->cycle * 1000.0 / (double)avr->frequency;
}

avr_irq_t *sim_pin_irq(avr_t *avr, char port, int bit)
{
    return avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(port), bit);
}

void sim_wave_add(sim_wave_t *w, uint8_t level, uint32_t us)
{
    if (w->n >= (int)(sizeof w->us / sizeof w->us[0]))
        return;
    w->level[w->n] = level;
    w->us[w->n] = us;
    w->n++;
}

static avr_cycle_count_t wave_step(struct avr_t *a, avr_cycle_count_t when, void *param)
{
    sim_wave_t *w = param;
    if (w->i >= w->n)
        return 0;
    avr_raise_irq(w->pin, w->level[w->i]);
    const uint32_t us = w->us[w->i++];
    return us ? when + avr_usec_to_cycles(a, us) : 0;
}

void sim_wave_start(sim_wave_t *w)
{
    w->i = 0;
    avr_cycle_timer_cancel(w->avr, wave_step, w);
    avr_cycle_timer_register(w->avr, 1, wave_step, w);
}

static void line_ddr(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    sim_line_t *l = param;
    const int ddr = (value >> l->bit) & 1;
    if (ddr != l->ddr) {
        l->ddr = ddr;
        l->changed(l);
    }
}

static void line_port(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    sim_line_t *l = param;
    const int out = (value >> l->bit) & 1;
    if (out != l->out) {
        l->out = out;
        l->changed(l);
    }
}

void sim_line_follow(sim_line_t *l)
{
    avr_irq_register_notify(avr_io_getirq(l->avr, AVR_IOCTL_IOPORT_GETIRQ(l->port), IOPORT_IRQ_DIRECTION_ALL),
                            line_ddr, l);
    avr_irq_register_notify(avr_io_getirq(l->avr, AVR_IOCTL_IOPORT_GETIRQ(l->port), IOPORT_IRQ_REG_PORT),
                            line_port, l);
}
