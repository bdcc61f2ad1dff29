#include "project/ObjectTextValue.h"

#include "project/ObjectTextObject.h"
#include "project/ObjectTextWriter.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {
template<typename T>
T report(bool *ok, bool success, T value)
{
    if (ok)
        *ok = success;
    return success ? value : T();
}
} // namespace

ObjectTextValue ObjectTextValue::integer(qint64 value)
{
    ObjectTextValue v;
    v.m_kind = Kind::Integer;
    v.m_int = value;
    return v;
}

ObjectTextValue ObjectTextValue::floating(double value, const QString &text)
{
    ObjectTextValue v;
    v.m_kind = Kind::Float;
    v.m_float = value;
    v.m_text = text;
    return v;
}

ObjectTextValue ObjectTextValue::string(const QString &text)
{
    ObjectTextValue v;
    v.m_kind = Kind::String;
    v.m_text = text;
    return v;
}

ObjectTextValue ObjectTextValue::ident(const QString &name)
{
    ObjectTextValue v;
    v.m_kind = Kind::Ident;
    v.m_text = name;
    return v;
}

ObjectTextValue ObjectTextValue::set(const QStringList &elements)
{
    ObjectTextValue v;
    v.m_kind = Kind::Set;
    v.m_set = elements;
    return v;
}

ObjectTextValue ObjectTextValue::list(const QList<ObjectTextValue> &items)
{
    ObjectTextValue v;
    v.m_kind = Kind::List;
    v.m_list = std::make_shared<const QList<ObjectTextValue>>(items);
    return v;
}

ObjectTextValue ObjectTextValue::binary(const QByteArray &bytes)
{
    ObjectTextValue v;
    v.m_kind = Kind::Binary;
    v.m_binary = bytes;
    return v;
}

ObjectTextValue ObjectTextValue::collection(const QList<ObjectTextCollectionItem> &items)
{
    ObjectTextValue v;
    v.m_kind = Kind::Collection;
    v.m_collection = std::make_shared<const QList<ObjectTextCollectionItem>>(items);
    return v;
}

qint64 ObjectTextValue::toInt(bool *ok) const
{
    return report(ok, m_kind == Kind::Integer, m_int);
}

double ObjectTextValue::toDouble(bool *ok) const
{
    if (m_kind == Kind::Integer)
        return report(ok, true, double(m_int));
    return report(ok, m_kind == Kind::Float, m_float);
}

bool ObjectTextValue::toBool(bool *ok) const
{
    if (m_kind == Kind::Ident) {
        if (m_text.compare(u"True"_s, Qt::CaseInsensitive) == 0)
            return report(ok, true, true);
        if (m_text.compare(u"False"_s, Qt::CaseInsensitive) == 0)
            return report(ok, true, false);
    }
    return report(ok, false, false);
}

QString ObjectTextValue::toString(bool *ok) const
{
    return report(ok, m_kind == Kind::String, m_text);
}

TColor ObjectTextValue::toColor(bool *ok) const
{
    if (m_kind == Kind::Integer) {
        // Colours are 32-bit; system colours come back as negative numbers
        // and $FF000005 style hexadecimal is accepted too.
        const bool fits = m_int >= std::numeric_limits<qint32>::min()
                          && m_int <= std::numeric_limits<quint32>::max();
        return report(ok, fits, TColor(quint32(m_int)));
    }
    TColor color = 0;
    const bool named = m_kind == Kind::Ident && ObjectTextWriter::colorFromName(m_text, &color);
    return report(ok, named, color);
}

QString ObjectTextValue::text() const
{
    return (m_kind == Kind::Ident || m_kind == Kind::Float) ? m_text : QString();
}

QStringList ObjectTextValue::setElements() const
{
    return m_set;
}

QList<ObjectTextValue> ObjectTextValue::listItems() const
{
    return m_list ? *m_list : QList<ObjectTextValue>();
}

QByteArray ObjectTextValue::binaryData() const
{
    return m_binary;
}

QList<ObjectTextCollectionItem> ObjectTextValue::collectionItems() const
{
    return m_collection ? *m_collection : QList<ObjectTextCollectionItem>();
}

bool ObjectTextValue::operator==(const ObjectTextValue &other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Invalid:
        return true;
    case Kind::Integer:
        return m_int == other.m_int;
    case Kind::Float:
        return m_text == other.m_text;
    case Kind::String:
    case Kind::Ident:
        return m_text == other.m_text;
    case Kind::Set:
        return m_set == other.m_set;
    case Kind::List:
        return *m_list == *other.m_list;
    case Kind::Binary:
        return m_binary == other.m_binary;
    case Kind::Collection:
        return *m_collection == *other.m_collection;
    }
    return false;
}
