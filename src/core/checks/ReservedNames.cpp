#include "checks/ReservedNames.h"

#include "checks/ArduinoCoreNames.h"
#include "codegen/DeviceCode.h"
#include "devices/ActiveDevices.h"
#include "devices/DeviceTypes.h"

using namespace Qt::StringLiterals;

namespace {

// Keywords of C++ as avr-gcc compiles sketches (gnu++11, so with GNU's typeof), with
// the alternative operator spellings.
const char16_t *const kKeywords =
    u"alignas alignof and and_eq asm auto bitand bitor bool break case catch char char16_t char32_t class "
    u"compl const constexpr const_cast continue decltype default delete do double dynamic_cast else enum "
    u"explicit export extern false float for friend goto if inline int long mutable namespace new noexcept "
    u"not not_eq nullptr operator or or_eq private protected public register reinterpret_cast return short "
    u"signed sizeof static static_assert static_cast struct switch template this thread_local throw true try "
    u"typedef typeid typename typeof union unsigned using virtual void volatile wchar_t while xor xor_eq";

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

// The keywords and the core's names for a board, built the first time a check runs
// for it.
const QSet<QString> &languageNames(int boardTypeId)
{
    if (boardTypeId == 2) {
        static const QSet<QString> mega = words(kKeywords) + ArduinoCoreNames::forBoard(2);
        return mega;
    }
    static const QSet<QString> uno = words(kKeywords) + ArduinoCoreNames::forBoard(0);
    return uno;
}

// Names beginning with "__" or with "_" and a capital belong to the compiler and its
// library (predefined macros such as __LINE__, builtins, the C library's internals);
// the core's list leaves them out.
bool isImplementationName(const QString &identifier)
{
    return identifier.size() >= 2 && identifier[0] == u'_'
           && (identifier[1] == u'_' || (identifier[1] >= u'A' && identifier[1] <= u'Z'));
}

} // namespace

ReservedNames::ReservedNames(const ActiveDevices &devices)
    : fLanguage(languageNames(devices.BoardTypeId()))
{
    for (int k = 0; k < devices.count(); ++k) {
        const TActiveDevice &d = devices.device(k);
        // A device is an object of the sketch when it has a declaration; a laser,
        // a switch and an analogue input are only pin numbers.
        if (!DeviceCode::declarationLines(DeviceTypes::at(d.DeviceTypeID).DeviceCmdId, d).isEmpty())
            fDevices.insert(d.Name);
        for (const QString &name : libraryNames(d.DeviceTypeID))
            fLibraries.insert(name);
    }
}

bool ReservedNames::contains(const QString &identifier) const
{
    return fLanguage.contains(identifier) || fLibraries.contains(identifier) || fDevices.contains(identifier)
           || isImplementationName(identifier);
}

QString ReservedNames::holder(const QString &identifier) const
{
    if (fDevices.contains(identifier))
        return u"η συσκευή "_s + identifier;
    return u"η γλώσσα του Arduino"_s;
}
