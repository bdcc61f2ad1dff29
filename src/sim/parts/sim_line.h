/* Input lines of a simulated board: a waveform played on a pin, and a pin whose
 * drive by the MCU (its DDR and PORT bits) a device follows. */
#pragma once
#include <stdint.h>
#include <sim_avr.h>

#ifdef __cplusplus
extern "C" {
#endif

/* level[i] is held for us[i] microseconds; a duration of 0 ends the waveform with
 * that level kept. */
typedef struct {
    avr_t *avr;
    avr_irq_t *pin;
    int n, i;
    uint32_t us[100];
    uint8_t level[100];
} sim_wave_t;

void sim_wave_add(sim_wave_t *w, uint8_t level, uint32_t us);
void sim_wave_start(sim_wave_t *w);

typedef struct sim_line_t {
    avr_t *avr;
    char port;
    int bit;
    int ddr, out;
    void (*changed)(struct sim_line_t *);
    void *model;
} sim_line_t;

/* Calls l->changed whenever the pin's DDR or PORT bit changes. */
void sim_line_follow(sim_line_t *l);

avr_irq_t *sim_pin_irq(avr_t *avr, char port, int bit);
double sim_now_ms(const avr_t *avr);

#ifdef __cplusplus
}
#endif
