#include "serial/linux/UdevEventTranslator.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString firstOf(const QHash<QString, QString> &values, std::initializer_list<QString> keys)
{
    for (const QString &key : keys) {
        const QString value = values.value(key).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

} // namespace

quint16 UdevEventTranslator::hexId(const QString &text)
{
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok, 16);
    return ok && value <= 0xffff ? quint16(value) : quint16(0);
}

std::optional<UsbDeviceEvent> UdevEventTranslator::translate(const UdevEvent &e)
{
    UsbDeviceEvent out;
    if (e.action == u"add"_s && e.subsystem == u"tty"_s) {
        if (e.usbDevice.isEmpty())
            return std::nullopt;
        out.inserted = true;
        out.vendorId = hexId(e.usbDevice.value(u"idVendor"_s));
        out.productId = hexId(e.usbDevice.value(u"idProduct"_s));
        out.description = firstOf(e.properties, {u"ID_MODEL_FROM_DATABASE"_s});
        if (out.description.isEmpty())
            out.description = e.usbDevice.value(u"product"_s).trimmed();
        return out;
    }
    if (e.action == u"remove"_s && e.subsystem == u"usb"_s && e.devType == u"usb_device"_s) {
        const QStringList product = e.properties.value(u"PRODUCT"_s).split(u'/');
        if (product.size() >= 2) {
            out.vendorId = hexId(product[0]);
            out.productId = hexId(product[1]);
        } else {
            out.vendorId = hexId(e.properties.value(u"ID_VENDOR_ID"_s));
            out.productId = hexId(e.properties.value(u"ID_MODEL_ID"_s));
        }
        out.description = firstOf(e.properties, {u"ID_MODEL_FROM_DATABASE"_s, u"ID_MODEL"_s});
        return out;
    }
    return std::nullopt;
}
