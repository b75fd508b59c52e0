// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/SourceRewrite.h"

#include <regex>

namespace ledcube::program {

std::string RewriteBitAccess(std::string_view source) {
    static const std::regex kBitAccess(R"(\b((?:PORT|PIN|DDR)[A-D])\.([0-7])\b)");
    return std::regex_replace(std::string(source), kBitAccess, "LEDCUBE_BIT($1, $2)");
}

std::string Mega8535Header() {
    return std::string(R"(#ifndef LEDCUBE_MEGA8535_H
#define LEDCUBE_MEGA8535_H
/* I/O registers of the ATmega8535 used by the LED cube's firmware. Data
   addresses are the I/O addresses plus 0x20. */
#define LEDCUBE_SFR(io) (*(volatile unsigned char *)((io) + 0x20))
#define PINA   LEDCUBE_SFR(0x19)
#define DDRA   LEDCUBE_SFR(0x1A)
#define PORTA  LEDCUBE_SFR(0x1B)
#define PINB   LEDCUBE_SFR(0x16)
#define DDRB   LEDCUBE_SFR(0x17)
#define PORTB  LEDCUBE_SFR(0x18)
#define PINC   LEDCUBE_SFR(0x13)
#define DDRC   LEDCUBE_SFR(0x14)
#define PORTC  LEDCUBE_SFR(0x15)
#define PIND   LEDCUBE_SFR(0x10)
#define DDRD   LEDCUBE_SFR(0x11)
#define PORTD  LEDCUBE_SFR(0x12)
#define MCUCSR LEDCUBE_SFR(0x34)
#define MCUCR  LEDCUBE_SFR(0x35)

)") + std::string(kBitAccessMacro) +
           "#endif\n";
}

std::string_view DelayHeader() {
    return R"(#ifndef LEDCUBE_DELAY_H
#define LEDCUBE_DELAY_H
/* Waits ms milliseconds with the CPU busy; the loop itself takes a few cycles. */
static void delay_ms(unsigned int ms)
{
    while (ms-- != 0)
        __builtin_avr_delay_cycles(F_CPU / 1000UL - 8);
}
#endif
)";
}

}  // namespace ledcube::program
