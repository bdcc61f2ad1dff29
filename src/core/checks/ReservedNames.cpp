#include "checks/ReservedNames.h"

#include "codegen/DeviceCode.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Keywords of C++ as avr-gcc compiles sketches (gnu++11), with the alternative
// operator spellings.
const char16_t *const kKeywords =
    u"alignas alignof and and_eq asm auto bitand bitor bool break case catch char char16_t char32_t class "
    u"compl const constexpr const_cast continue decltype default delete do double dynamic_cast else enum "
    u"explicit export extern false float for friend goto if inline int long mutable namespace new noexcept "
    u"not not_eq nullptr operator or or_eq private protected public register reinterpret_cast return short "
    u"signed sizeof static static_assert static_cast struct switch template this thread_local throw true try "
    u"typedef typeid typename union unsigned using virtual void volatile wchar_t while xor xor_eq";

// What Arduino.h declares at global scope (functions, object-like macros, types,
// objects), and the C library functions it brings in. Function-like macros (min,
// bitRead, F …) and class names (String) are left out: a variable may take those
// names and the sketch still compiles. "main" clashes when the sketch is linked.
const char16_t *const kArduino =
    u"setup loop main init initVariant yield pinMode digitalWrite digitalRead analogRead analogReference "
    u"analogWrite millis micros delay delayMicroseconds pulseIn pulseInLong shiftOut shiftIn attachInterrupt "
    u"detachInterrupt tone noTone random randomSeed map makeWord word boolean byte Serial serialEventRun "
    u"isAlphaNumeric isAlpha isAscii isWhitespace isControl "
    u"isDigit isGraph isLowerCase isPrintable isPunct isSpace isUpperCase isHexadecimalDigit toAscii "
    u"toLowerCase toUpperCase HIGH LOW INPUT OUTPUT INPUT_PULLUP LED_BUILTIN PI HALF_PI TWO_PI DEG_TO_RAD "
    u"RAD_TO_DEG EULER SERIAL DISPLAY LSBFIRST MSBFIRST CHANGE FALLING RISING DEFAULT EXTERNAL INTERNAL "
    u"NOT_A_PIN NOT_A_PORT NOT_AN_INTERRUPT NOT_ON_TIMER F_CPU ARDUINO "
    u"NUM_DIGITAL_PINS NUM_ANALOG_INPUTS SS MOSI MISO SCK SDA SCL abs round "
    u"labs div ldiv rand srand atoi atol atof strtol strtoul strtod malloc free calloc realloc exit abort "
    u"qsort bsearch itoa ltoa utoa ultoa dtostrf dtostre strlen strcpy strncpy strcat strncat strcmp strncmp "
    u"strchr strrchr strstr memcpy memmove memset memcmp sin cos tan asin acos atan atan2 sinh cosh tanh exp "
    u"log log10 pow sqrt cbrt fabs fmod floor ceil trunc hypot square fmin fmax fdim fma isnan isinf "
    u"isfinite copysign signbit ldexp frexp modf lround lrint";

// The registers and bits that avr/io.h defines as object-like macros, for the ports
// the board's chip has (the Uno's and Nano's B to D; the Mega's A to L).
QRegularExpression registerPattern(bool mega)
{
    const QString ports = mega ? u"A-HJ-L"_s : u"B-D"_s;
    return QRegularExpression(
        u"^(?:(?:PORT|DDR|PIN)[%1][0-7]?|P[%1][0-7]|DD[%1][0-7]|TCCR[0-5][ABC]?|TCNT[0-5][HL]?|"
        u"OCR[0-5][ABC]?[HL]?|ICR[1-5][HL]?|TIMSK[0-5]|TIFR[0-5]|UCSR[0-3][ABC]|UDR[0-3]|UBRR[0-3][HL]?|"
        u"ADC[HLW]?|ADCSR[AB]|ADMUX|EICR[AB]|EIMSK|EIFR|PCICR|PCIFR|PCMSK[0-2]|SREG|SP[HL]?|MCUSR|MCUCR|"
        u"SMCR|WDTCSR|TWBR|TWSR|TWAR|TWDR|TWCR|SPCR|SPSR|SPDR|EEAR[HL]?|EEDR|EECR|GPIOR[0-2]|OSCCAL|CLKPR|"
        u"PRR[01]?|ACSR|DIDR[0-2])$"_s.arg(ports));
}

// What the device libraries declare that a variable declared after them clashes
// with (macros, enumerators, objects); only the libraries the sketch includes count.
QStringList libraryNames(int typeId)
{
    switch (typeId) {
    case DeviceTypes::LCD_Serial:
        return {u"POSITIVE"_s, u"NEGATIVE"_s, u"I2C_ADDR"_s, u"BACKLIGHT_PIN"_s, u"En_pin"_s, u"Rw_pin"_s,
                u"Rs_pin"_s, u"D4_pin"_s, u"D5_pin"_s, u"D6_pin"_s, u"D7_pin"_s, u"Wire"_s, u"BUFFER_LENGTH"_s};
    case DeviceTypes::ROBOT:
        return {u"speedencint"_s};
    default:
        return {};
    }
}

QSet<QString> words(const char16_t *list)
{
    const QStringList w = QString::fromUtf16(list).split(u' ', Qt::SkipEmptyParts);
    return QSet<QString>(w.begin(), w.end());
}

} // namespace

ReservedNames::ReservedNames(const ActiveDevices &devices)
{
    const bool mega = devices.BoardTypeId() == 2;
    fLanguage = words(kKeywords) + words(kArduino);
    for (int a = 0; a < (mega ? 16 : 8); ++a)
        fLanguage.insert(u'A' + QString::number(a));
    if (mega)
        fLanguage += {u"Serial1"_s, u"Serial2"_s, u"Serial3"_s};
    fRegisters = registerPattern(mega);
    for (int k = 0; k < devices.count(); ++k) {
        const TActiveDevice &d = devices.device(k);
        // A device is an object of the sketch when it has a declaration; a laser,
        // a switch and an analogue input are only pin numbers.
        if (!DeviceCode::declarationLines(DeviceTypes::at(d.DeviceTypeID).DeviceCmdId, d).isEmpty())
            fDevices.insert(d.Name);
        for (const QString &name : libraryNames(d.DeviceTypeID))
            fLanguage.insert(name);
    }
}

bool ReservedNames::contains(const QString &identifier) const
{
    return fLanguage.contains(identifier) || fDevices.contains(identifier)
           || fRegisters.match(identifier).hasMatch();
}

QString ReservedNames::holder(const QString &identifier) const
{
    if (fDevices.contains(identifier))
        return u"η συσκευή "_s + identifier;
    return u"η γλώσσα του Arduino"_s;
}
