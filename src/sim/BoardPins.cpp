#include "BoardPins.h"

#include <iterator>

namespace BoardPins {

namespace {

constexpr PortBit kUno[] = {
    {'D', 0}, {'D', 1}, {'D', 2}, {'D', 3}, {'D', 4}, {'D', 5}, {'D', 6}, {'D', 7}, {'B', 0}, {'B', 1},
    {'B', 2}, {'B', 3}, {'B', 4}, {'B', 5}, {'C', 0}, {'C', 1}, {'C', 2}, {'C', 3}, {'C', 4}, {'C', 5},
};

// The Arduino core's table of the Mega 2560, pins 0 to 69 (A0..A15 are 54..69).
constexpr PortBit kMega[] = {
    {'E', 0}, {'E', 1}, {'E', 4}, {'E', 5}, {'G', 5}, {'E', 3}, {'H', 3}, {'H', 4}, {'H', 5}, {'H', 6},
    {'B', 4}, {'B', 5}, {'B', 6}, {'B', 7}, {'J', 1}, {'J', 0}, {'H', 1}, {'H', 0}, {'D', 3}, {'D', 2},
    {'D', 1}, {'D', 0}, {'A', 0}, {'A', 1}, {'A', 2}, {'A', 3}, {'A', 4}, {'A', 5}, {'A', 6}, {'A', 7},
    {'C', 7}, {'C', 6}, {'C', 5}, {'C', 4}, {'C', 3}, {'C', 2}, {'C', 1}, {'C', 0}, {'D', 7}, {'G', 2},
    {'G', 1}, {'G', 0}, {'L', 7}, {'L', 6}, {'L', 5}, {'L', 4}, {'L', 3}, {'L', 2}, {'L', 1}, {'L', 0},
    {'B', 3}, {'B', 2}, {'B', 1}, {'B', 0}, {'F', 0}, {'F', 1}, {'F', 2}, {'F', 3}, {'F', 4}, {'F', 5},
    {'F', 6}, {'F', 7}, {'K', 0}, {'K', 1}, {'K', 2}, {'K', 3}, {'K', 4}, {'K', 5}, {'K', 6}, {'K', 7},
};

constexpr PwmOutput kUnoPwm[] = {
    {6, 0x44, 1 << 7, 0x47}, {5, 0x44, 1 << 5, 0x48}, {9, 0x80, 1 << 7, 0x88},
    {10, 0x80, 1 << 5, 0x8A}, {11, 0xB0, 1 << 7, 0xB3}, {3, 0xB0, 1 << 5, 0xB4},
};

constexpr PwmOutput kMegaPwm[] = {
    {13, 0x44, 1 << 7, 0x47}, {4, 0x44, 1 << 5, 0x48},  {11, 0x80, 1 << 7, 0x88},  {12, 0x80, 1 << 5, 0x8A},
    {10, 0xB0, 1 << 7, 0xB3}, {9, 0xB0, 1 << 5, 0xB4},  {5, 0x90, 1 << 7, 0x98},   {2, 0x90, 1 << 5, 0x9A},
    {3, 0x90, 1 << 3, 0x9C},  {6, 0xA0, 1 << 7, 0xA8},  {7, 0xA0, 1 << 5, 0xAA},   {8, 0xA0, 1 << 3, 0xAC},
    {46, 0x120, 1 << 7, 0x128}, {45, 0x120, 1 << 5, 0x12A}, {44, 0x120, 1 << 3, 0x12C},
};

} // namespace

int pinCount(Chip chip)
{
    return chip == Chip::Uno ? int(std::size(kUno)) : int(std::size(kMega));
}

std::optional<PortBit> portBit(Chip chip, int pin)
{
    if (pin < 0 || pin >= pinCount(chip))
        return std::nullopt;
    return chip == Chip::Uno ? kUno[pin] : kMega[pin];
}

int pinAt(Chip chip, char port, int bit)
{
    for (int pin = 0; pin < pinCount(chip); ++pin) {
        const PortBit pb = *portBit(chip, pin);
        if (pb.port == port && pb.bit == bit)
            return pin;
    }
    return -1;
}

int analogChannel(Chip chip, int pin)
{
    const int first = chip == Chip::Uno ? 14 : 54;
    const int channels = chip == Chip::Uno ? 6 : 16;
    if (pin >= first)
        pin -= first;
    return pin >= 0 && pin < channels ? pin : -1;
}

const PwmOutput *pwmOutputs(Chip chip, int *count)
{
    *count = chip == Chip::Uno ? int(std::size(kUnoPwm)) : int(std::size(kMegaPwm));
    return chip == Chip::Uno ? kUnoPwm : kMegaPwm;
}

const char *mcuName(Chip chip)
{
    return chip == Chip::Uno ? "atmega328p" : "atmega2560";
}

Chip chipOfBoard(int boardTypeId)
{
    return boardTypeId == 2 ? Chip::Mega : Chip::Uno;
}

} // namespace BoardPins
