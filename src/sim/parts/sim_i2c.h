/* A device on a simulated board's I2C bus: it answers its own address and is told
 * about every byte the master writes or reads. */
#pragma once
#include <stdint.h>
#include <sim_avr.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sim_i2c_slave_t {
    uint8_t address; /* 7-bit */
    int selected;
    int reading;
    int byte_index;  /* data bytes since the address */
    void (*write)(struct sim_i2c_slave_t *, int index, uint8_t data);
    uint8_t (*read)(struct sim_i2c_slave_t *);
    void *state;
    avr_irq_t *irq;  /* [0] to the master, [1] from the master */
} sim_i2c_slave_t;

/* Puts the device on the bus of TWI 0. */
void sim_i2c_attach(avr_t *avr, sim_i2c_slave_t *s);

#ifdef __cplusplus
}
#endif
