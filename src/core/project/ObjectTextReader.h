#pragma once

#include "project/ObjectTextObject.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct ObjectTextParseResult {
    // Every top-level object read completely; on an error, those before it.
    QList<ObjectTextObject> objects;
    bool ok = false;
    QString error;      // "<reason> on line <n>"; empty when ok
    int errorLine = 0;  // 1-based; 0 when ok
};

// Reads the component object text format, accepting more than the writer
// produces: keywords in any case, "inherited" and "inline", "[index]",
// "$" hexadecimal, '' inside quoted runs, "+" joins across lines, floats,
// sets, lists, binary data, collections, nested objects, LF or CRLF.
// A text without any object is an error, and so is anything but white space
// after the last "end". Reading is linear in the size of the text.
class ObjectTextReader {
public:
    // Bytes that are valid UTF-8 (with or without a byte order mark) are read
    // as UTF-8, others as Windows-1253, the code page of Greek Windows.
    static ObjectTextParseResult parse(const QByteArray &data);
    static ObjectTextParseResult parse(const QString &text);

    static QString decode(const QByteArray &data);
};
