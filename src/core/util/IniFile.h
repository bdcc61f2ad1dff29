#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// An INI file read and written with the rules of the Windows profile functions
// (GetPrivateProfileString, GetPrivateProfileInt, WritePrivateProfileString), for the
// project's side files and the program's settings files.
//
// Reading
// - Section and key names are matched ignoring case; whitespace around section names,
//   key names and values is ignored. Of sections or keys that occur twice, the first
//   counts. Lines may end with LF or CRLF.
// - A value enclosed in a matching pair of double or single quotes is read without
//   them, as Windows does.
// - Lines starting with ';' or '#' are comments. Lines before the first section belong
//   to no section and are only kept.
// - Encoding: bytes that are valid UTF-8 (a byte-order mark is dropped) are UTF-8;
//   anything else is Windows-1253, as files written on Greek Windows are.
//
// Writing
// - writeString/writeInteger change the value of an existing key in place (the line
//   keeps its place and the key its spelling); a new key goes at the end of its
//   section, after the section's last non-blank line; a new section at the end of the
//   file. Nothing else changes: other sections, keys, comments and blank lines stay.
// - Changes live in memory until save(), which writes every line ending with CRLF, in
//   UTF-8 without byte-order mark.
// - A value is one line: CR and LF in it become spaces. A value that reading would
//   alter (whitespace at either end, or enclosed in matching quotes) is written inside
//   double quotes, so that it reads back exactly, here and on Windows.
// - Section and key names are the program's own: they must not contain line breaks,
//   a key name no '=' and a section name no ']'.
//
// Every operation is linear in the size of the file or better: sections and keys are
// found through hash indexes.
//
// Typical use (a project side file):
//     IniFile ini(IniFile::changeFileExt(projectFile, u".adv"_s));
//     if (!ini.load(&error)) ...;
//     ini.writeInteger(u"ArduinoDevice"_s, u"TypeId"_s, 1);
//     if (!ini.save(&error)) ...;   // error: "Unable to write to <path>"
//     int typeId = ini.readInteger(u"ArduinoDevice"_s, u"TypeId"_s, 0);
class IniFile {
public:
    explicit IniFile(const QString &path = {});

    const QString &path() const { return m_path; }

    // Replaces the contents with those of the file. A missing file is an empty INI.
    // A file that exists but cannot be read gives false, an empty INI and, in *error,
    // "Unable to read <path>: <reason>".
    bool load(QString *error = nullptr);
    // Writes the whole file (atomically where the folder allows it). On failure false
    // and, in *error, "Unable to write to <path>".
    bool save(QString *error = nullptr) const;

    // The same as load and save, in memory (snapshots, tests).
    void parse(QByteArrayView bytes);
    QByteArray toBytes() const;

    // The value of the key, def when the section or key is missing.
    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    // As GetPrivateProfileInt: def when the key is missing or its value empty;
    // otherwise the leading decimal number of the value (optional sign), 0 when the
    // value does not start with one. Numbers beyond the int range are clamped to it.
    int readInteger(const QString &section, const QString &key, int def) const;
    // True, with the number in out, only when the key exists and its whole value is a
    // decimal number (optional sign) within the int range; out is untouched otherwise.
    bool readIntegerStrict(const QString &section, const QString &key, int &out) const;
    bool hasKey(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    // The sections in file order, as spelled in the file, each once.
    QStringList sectionNames() const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    // fileName with its extension (from the last '.' after the last '/' or '\')
    // replaced by extension, or with extension appended when it has none. The
    // project's side files: changeFileExt(u"robot.vzl"_s, u".var"_s) is "robot.var".
    static QString changeFileExt(const QString &fileName, const QString &extension);

private:
    struct Line {
        QString raw;         // the text as read or written, without line end
        qsizetype eq = -1;   // position of '=' in a key line, -1 for other lines
    };
    struct Section {
        QString header;            // raw header line; empty for the lines before any section
        QString name;              // trimmed name from the header
        std::vector<Line> body;    // up to the last non-blank line
        QStringList tail;          // blank lines after it, where new keys must not go
        QHash<QString, qsizetype> keys;  // folded key name -> first line in body
    };

    const Line *findLine(const QString &section, const QString &key) const;
    Section &sectionFor(const QString &section);
    void clear();

    QString m_path;
    std::vector<Section> m_sections;            // [0]: the lines before any section
    QHash<QString, qsizetype> m_sectionIndex;   // folded name -> first such section
};
