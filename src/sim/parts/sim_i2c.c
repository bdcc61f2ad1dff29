#include "sim_i2c.h"

#include <avr_twi.h>
#include <sim_irq.h>

static void i2c_message(struct avr_irq_t *irq, uint32_t value, void *param)
{
    (void)irq;
    sim_i2c_slave_t *s = param;
    avr_twi_msg_irq_t v;
    v.u.v = value;
    if (v.u.twi.msg & TWI_COND_STOP)
        s->selected = 0;
    if (v.u.twi.msg & TWI_COND_START) {
        s->selected = (v.u.twi.addr >> 1) == s->address;
        s->reading = v.u.twi.addr & 1;
        s->byte_index = 0;
        if (s->selected)
            avr_raise_irq(s->irq, avr_twi_irq_msg(TWI_COND_ACK, v.u.twi.addr, 1));
    }
    if (!s->selected)
        return;
    if (v.u.twi.msg & TWI_COND_WRITE) {
        avr_raise_irq(s->irq, avr_twi_irq_msg(TWI_COND_ACK, v.u.twi.addr, 1));
        s->write(s, s->byte_index++, v.u.twi.data);
    }
    if (v.u.twi.msg & TWI_COND_READ) {
        uint8_t data = s->read(s);
        avr_raise_irq(s->irq, avr_twi_irq_msg(TWI_COND_READ, v.u.twi.addr, data));
    }
}

void sim_i2c_attach(avr_t *avr, sim_i2c_slave_t *s)
{
    static const char *names[] = {"twi.in", "twi.out"};
    s->irq = avr_alloc_irq(&avr->irq_pool, 0, 2, names);
    avr_irq_register_notify(s->irq + 1, i2c_message, s);
    avr_connect_irq(avr_io_getirq(avr, AVR_IOCTL_TWI_GETIRQ(0), TWI_IRQ_OUTPUT), s->irq + 1);
    avr_connect_irq(s->irq, avr_io_getirq(avr, AVR_IOCTL_TWI_GETIRQ(0), TWI_IRQ_INPUT));
}
