#pragma once

#include "project/ObjectTextValue.h"

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// A name or identifier as it stands in the text: the bytes of the file, decoded only
// when asked for. Block files spell them in ASCII.
struct ObjectTextSpan {
    QByteArrayView bytes;
    bool cp1253 = false;  // the file is not UTF-8 but Windows-1253

    QString toString() const;
    bool isAscii() const;
    QLatin1StringView latin1() const { return QLatin1StringView(bytes.data(), bytes.size()); }
    // Compares ASCII letters ignoring case; other bytes must match exactly.
    bool equalsIgnoringCase(QLatin1StringView other) const;
};

// One property value as the reader hands it to its handler. Integers and floats are
// in place, strings decoded into the reader's buffer and identifiers as spans of the
// text: all valid only during the call. Values of the kinds that block files never
// contain (sets, lists, binary data, collections) come built.
struct ObjectTextValueView {
    ObjectTextValue::Kind kind = ObjectTextValue::Kind::Invalid;
    qint64 integer = 0;                         // Integer
    double floating = 0;                        // Float
    QStringView string;                         // String
    ObjectTextSpan span;                        // Ident; Float as written
    const ObjectTextValue *compound = nullptr;  // Set, List, Binary, Collection

    // The same conversions as ObjectTextValue's.
    qint64 toInt(bool *ok = nullptr) const;
    bool toBool(bool *ok = nullptr) const;
    TColor toColor(bool *ok = nullptr) const;
    // The identifier's name (Ident) or the string's text (String), else empty.
    QString nameOrString() const;
    // A value of its own, independent of the reader.
    ObjectTextValue toValue() const;
};

struct ObjectTextHeader {
    int depth = 0;          // 0 for the objects at the top of the text
    ObjectTextSpan keyword; // object, inherited or inline, in any case
    ObjectTextSpan name;    // empty when the header names only a class
    ObjectTextSpan className;
    int index = -1;         // the optional "[n]" after the class name
    int line = 0;           // 1-based
};

// Receives what ObjectTextReader::read finds, in the order of the text. Returning
// false from any call stops the reading.
class ObjectTextHandler {
public:
    virtual ~ObjectTextHandler() = default;
    virtual bool beginObject(const ObjectTextHeader &header) = 0;
    // A property of the innermost open object; line is where its name stands.
    virtual bool property(const ObjectTextSpan &name, const ObjectTextValueView &value, int line) = 0;
    virtual bool endObject() = 0;
    // The first bytes of the text, up to offset, have been read and will not be
    // looked at again (called after each object at the top of the text).
    virtual void consumed(qsizetype offset) { Q_UNUSED(offset); }
};
