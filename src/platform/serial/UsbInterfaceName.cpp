#include "serial/UsbInterfaceName.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

UsbInterfaceName UsbInterfaceName::parse(const QString &name)
{
    UsbInterfaceName out;
    const QStringView text(name);
    const qsizetype first = text.indexOf(u'#');
    if (first < 0)
        return out;
    const QStringView rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(u'#');
    out.hardwareId = (second < 0 ? rest : rest.left(second)).toString();
    if (second >= 0) {
        const QStringView tail = rest.mid(second + 1);
        const qsizetype third = tail.indexOf(u'#');
        out.instanceId = (third < 0 ? tail : tail.left(third)).toString();
    }
    static const QRegularExpression ids(u"VID_([0-9A-F]{4})&PID_([0-9A-F]{4})"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = ids.match(out.hardwareId);
    if (m.hasMatch()) {
        out.vendorId = quint16(m.captured(1).toUInt(nullptr, 16));
        out.productId = quint16(m.captured(2).toUInt(nullptr, 16));
    }
    return out;
}
