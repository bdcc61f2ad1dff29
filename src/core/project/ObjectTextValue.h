#pragma once

#include "util/KeloColor.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

struct ObjectTextCollectionItem;  // ObjectTextObject.h

// One property value of the component object text format. The reader keeps
// every kind the format knows, even those block files never contain, so that
// a file can be read and written back without losing anything.
class ObjectTextValue {
public:
    enum class Kind {
        Invalid,     // default-constructed, never produced by the reader
        Integer,     // 40, -1, $FF
        Float,       // 1.5, 2E10, 1.5s; the written text is kept
        String,      // 'abc'#39'def'
        Ident,       // True, clGreen, frmVimsel.keloBlock__7
        Set,         // [akLeft, akTop]
        List,        // ( value value ... )
        Binary,      // { 0A1B... }
        Collection,  // < item ... end ... >
    };

    ObjectTextValue() = default;

    static ObjectTextValue integer(qint64 value);
    // text is what stands in the file; it is written back unchanged.
    static ObjectTextValue floating(double value, const QString &text);
    static ObjectTextValue string(const QString &text);
    static ObjectTextValue ident(const QString &name);
    static ObjectTextValue set(const QStringList &elements);
    static ObjectTextValue list(const QList<ObjectTextValue> &items);
    static ObjectTextValue binary(const QByteArray &bytes);
    static ObjectTextValue collection(const QList<ObjectTextCollectionItem> &items);

    Kind kind() const { return m_kind; }
    bool isValid() const { return m_kind != Kind::Invalid; }

    // Each conversion reports through ok whether the value had a fitting
    // kind; otherwise it returns a zero value.
    qint64 toInt(bool *ok = nullptr) const;       // Integer
    double toDouble(bool *ok = nullptr) const;    // Float or Integer
    bool toBool(bool *ok = nullptr) const;        // Ident True or False, any case
    QString toString(bool *ok = nullptr) const;   // String
    TColor toColor(bool *ok = nullptr) const;     // Integer within 32 bits, or a colour name

    // The identifier's name, or the float's text; empty for other kinds.
    QString text() const;
    QStringList setElements() const;
    QList<ObjectTextValue> listItems() const;
    QByteArray binaryData() const;
    QList<ObjectTextCollectionItem> collectionItems() const;

    bool operator==(const ObjectTextValue &other) const;
    bool operator!=(const ObjectTextValue &other) const { return !(*this == other); }

private:
    Kind m_kind = Kind::Invalid;
    qint64 m_int = 0;
    double m_float = 0;
    QString m_text;           // String, Ident, Float text
    QStringList m_set;
    QByteArray m_binary;
    // Shared because the value type is recursive; values are never changed
    // after construction, so sharing is safe.
    std::shared_ptr<const QList<ObjectTextValue>> m_list;
    std::shared_ptr<const QList<ObjectTextCollectionItem>> m_collection;
};
