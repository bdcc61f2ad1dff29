#pragma once

#include "project/ObjectTextHandler.h"
#include "project/ObjectTextObject.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

struct ObjectTextParseResult {
    // Every top-level object read completely; on an error, those before it.
    QList<ObjectTextObject> objects;
    bool ok = false;
    QString error;      // "<reason> on line <n>"; empty when ok
    int errorLine = 0;  // 1-based; 0 when ok
};

struct ObjectTextReadStatus {
    bool ok = false;       // the whole text was read
    bool stopped = false;  // the handler stopped the reading
    QString error;         // "<reason> on line <n>" for a text that is not in the format
    int errorLine = 0;
};

// Reads the component object text format, accepting more than the writer
// produces: keywords in any case, "inherited" and "inline", "[index]",
// "$" hexadecimal, '' inside quoted runs, "+" joins across lines, floats,
// sets, lists, binary data, collections, nested objects, LF or CRLF.
// A text without any object is an error, and so is anything but white space
// after the last "end".
//
// Bytes that are valid UTF-8 (with or without a byte order mark) are read as
// UTF-8, others as Windows-1253, the code page of Greek Windows. The text is
// read in place: only strings are decoded, into one buffer that is reused, so
// reading takes time and memory linear in the text and allocates next to
// nothing per property.
class ObjectTextReader {
public:
    // Hands every object header, property and "end" to handler as it is read.
    static ObjectTextReadStatus read(QByteArrayView data, ObjectTextHandler &handler);

    // The whole text as a tree of objects (for tools and tests; loading a program
    // uses read).
    static ObjectTextParseResult parse(const QByteArray &data);
    static ObjectTextParseResult parse(const QString &text);
};
