// Smoke run of the Uno firmware in simavr: sends a start block and "pin 13 high"
// over the UART and expects "Program start" and pin 13 (PB5) to go high.
#include <stdio.h>
#include <string.h>
#include "sim_avr.h"
#include "sim_elf.h"
#include "avr_uart.h"
#include "avr_ioport.h"
static char seen[256]; static int n; static int high;
static void out(struct avr_irq_t *irq, uint32_t v, void *p){ putchar(v); if(n<255) seen[n++]=(char)v; }
static void pin(struct avr_irq_t *irq, uint32_t v, void *p){ printf("[pin13=%u]", v); if(v) high=1; }
int main(int c, char **a){ elf_firmware_t f; memset(&f,0,sizeof f); elf_read_firmware(a[1],&f);
 avr_t *avr=avr_make_mcu_by_name("atmega328p"); avr_init(avr); avr_load_firmware(avr,&f); avr->frequency=16000000;
 uint32_t fl=0; avr_ioctl(avr,AVR_IOCTL_UART_GET_FLAGS('0'),&fl); fl&=~(AVR_UART_FLAG_STDIO|AVR_UART_FLAG_POLL_SLEEP); avr_ioctl(avr,AVR_IOCTL_UART_SET_FLAGS('0'),&fl);
 avr_irq_register_notify(avr_io_getirq(avr,AVR_IOCTL_UART_GETIRQ('0'),UART_IRQ_OUTPUT),out,0);
 avr_irq_register_notify(avr_io_getirq(avr,AVR_IOCTL_IOPORT_GETIRQ('B'),5),pin,0);
 avr_irq_t *in=avr_io_getirq(avr,AVR_IOCTL_UART_GETIRQ('0'),UART_IRQ_INPUT);
 unsigned char prog[]={0x31, 2, 1,0, 0xFF,0, 0,0, 0xFF,0, 0xFF,0, 0,0, 202,0, 0xFF,0, 13,0, 0xFF,0, 0xFF,0, 0,0, 0xFD, 0};
 unsigned char x=0; for(int i=2;i<(int)sizeof prog-2;i++) x^=prog[i]; if(x==0xFD)x=0xFE; prog[sizeof prog-1]=x;
 int k=0; uint64_t next=16000000/2;
 while(avr->cycle < 16000000ULL*4){ int s=avr_run(avr); if(s==cpu_Done||s==cpu_Crashed)break;
   if(k<(int)sizeof prog && avr->cycle>next){ avr_raise_irq(in,prog[k++]); next=avr->cycle+16000000/50; } }
 printf("\n"); return (strstr(seen,"Program start") && high) ? 0 : 1; }
