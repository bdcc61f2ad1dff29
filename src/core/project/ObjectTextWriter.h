#pragma once

#include "project/ObjectTextObject.h"
#include "project/ObjectTextValue.h"
#include "util/KeloColor.h"

#include <QByteArray>
#include <QString>

// Writes the component object text format: "object NAME: CLASS", one
// "name = value" line per property indented by two spaces per nesting level,
// "end"; CRLF line ends; ASCII only (other characters become "#NNN" codes).
// Calls are made in file order; nothing is buffered per object, so writing
// is linear in the size of the output.
class ObjectTextWriter {
public:
    // The owner that every block reference names.
    inline static const QString ReferenceOwner = QStringLiteral("frmVimsel");

    ObjectTextWriter();

    // An empty name writes "object CLASS". Objects begun inside an open
    // object are nested one level deeper.
    void beginObject(const QString &name, const QString &className);
    void beginObject(const QString &keyword, const QString &name, const QString &className, int index);
    void endObject();

    void writeInteger(const QString &property, qint64 value);
    void writeBool(const QString &property, bool value);
    // A name from the colour table when there is one, else the decimal value.
    void writeColor(const QString &property, TColor value);
    // Empty strings are written as ''; callers that leave them out check first.
    void writeString(const QString &property, const QString &value);
    // ReferenceOwner + "." + blockName
    void writeReference(const QString &property, const QString &blockName);
    // One "Margins.Side" line per side that differs from the default 3.
    void writeMargins(int left, int top, int right, int bottom);
    void writeIdent(const QString &property, const QString &ident);
    // Any kind, as read: the writer function is chosen by the value's kind.
    void writeValue(const QString &property, const ObjectTextValue &value);
    // A whole object as read, its properties and nested objects included.
    void writeObject(const ObjectTextObject &object);

    QByteArray data() const { return m_out; }

    // Colour names are matched ignoring case, as the reader accepts them.
    static QString colorName(TColor color, bool *found = nullptr);
    static bool colorFromName(const QString &name, TColor *color);
    static bool colorFromName(QLatin1StringView name, TColor *color);

private:
    void beginProperty(const QString &property);
    void endLine();
    void newLine(int level);
    void appendText(const QString &text);
    void appendNumber(qint64 value);
    void appendValue(const ObjectTextValue &value, int level);
    void appendString(const QString &text, int level);
    void appendBinary(const QByteArray &bytes, int level);
    void appendCollection(const QList<ObjectTextCollectionItem> &items, int level);

    QByteArray m_out;
    int m_level = 0;  // open objects
};
