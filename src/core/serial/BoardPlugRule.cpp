#include "serial/BoardPlugRule.h"

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<std::pair<quint16, quint16>, 5> BoardIds{{
    {0x1a86, 0x7523},  // CH340
    {0x2341, 0x0043},  // Arduino Uno R3
    {0x2341, 0x0010},  // Arduino Mega 2560
    {0x2341, 0x0042},  // Arduino Mega 2560 R3
    {0x0403, 0x6001},  // FTDI FT232R of older Nanos
}};

} // namespace

bool BoardPlugRule::isArduino(const UsbDeviceEvent &event)
{
    if (event.description.contains(u"CH340"_s, Qt::CaseSensitive))
        return true;
    const std::pair<quint16, quint16> id{event.vendorId, event.productId};
    return std::find(BoardIds.begin(), BoardIds.end(), id) != BoardIds.end();
}

std::optional<BoardPlugRule::Reaction> BoardPlugRule::react(const UsbDeviceEvent &event)
{
    if (!isArduino(event))
        return std::nullopt;
    if (event.inserted)
        return Reaction{true, connectedText()};
    return Reaction{false, disconnectedText()};
}

QString BoardPlugRule::connectedText()
{
    return u"Συνδέθηκε συσκευή Arduino"_s;
}

QString BoardPlugRule::disconnectedText()
{
    return u"Αποσυνδέθηκε συσκευή Arduino"_s;
}
