#include "project/ObjectTextWriter.h"

#include <array>
#include <string>
#include <unordered_map>

using namespace Qt::StringLiterals;

namespace {

struct NamedColor {
    TColor value;
    QStringView name;
};

constexpr TColor systemColor(int index) { return TColor(0xFF000000u | unsigned(index)); }

// The only names the format uses; everything else is written as a number.
const std::array<NamedColor, 52> &colorTable()
{
    static const std::array<NamedColor, 52> table{{
        {0x000000, u"clBlack"},
        {0x000080, u"clMaroon"},
        {0x008000, u"clGreen"},
        {0x008080, u"clOlive"},
        {0x800000, u"clNavy"},
        {0x800080, u"clPurple"},
        {0x808000, u"clTeal"},
        {0x808080, u"clGray"},
        {0xC0C0C0, u"clSilver"},
        {0x0000FF, u"clRed"},
        {0x00FF00, u"clLime"},
        {0x00FFFF, u"clYellow"},
        {0xFF0000, u"clBlue"},
        {0xFF00FF, u"clFuchsia"},
        {0xFFFF00, u"clAqua"},
        {0xFFFFFF, u"clWhite"},
        {0xC0DCC0, u"clMoneyGreen"},
        {0xF0CAA6, u"clSkyBlue"},
        {0xF0FBFF, u"clCream"},
        {0xA4A0A0, u"clMedGray"},
        {systemColor(0), u"clScrollBar"},
        {systemColor(1), u"clBackground"},
        {systemColor(2), u"clActiveCaption"},
        {systemColor(3), u"clInactiveCaption"},
        {systemColor(4), u"clMenu"},
        {systemColor(5), u"clWindow"},
        {systemColor(6), u"clWindowFrame"},
        {systemColor(7), u"clMenuText"},
        {systemColor(8), u"clWindowText"},
        {systemColor(9), u"clCaptionText"},
        {systemColor(10), u"clActiveBorder"},
        {systemColor(11), u"clInactiveBorder"},
        {systemColor(12), u"clAppWorkSpace"},
        {systemColor(13), u"clHighlight"},
        {systemColor(14), u"clHighlightText"},
        {systemColor(15), u"clBtnFace"},
        {systemColor(16), u"clBtnShadow"},
        {systemColor(17), u"clGrayText"},
        {systemColor(18), u"clBtnText"},
        {systemColor(19), u"clInactiveCaptionText"},
        {systemColor(20), u"clBtnHighlight"},
        {systemColor(21), u"cl3DDkShadow"},
        {systemColor(22), u"cl3DLight"},
        {systemColor(23), u"clInfoText"},
        {systemColor(24), u"clInfoBk"},
        {systemColor(26), u"clHotLight"},
        {systemColor(27), u"clGradientActiveCaption"},
        {systemColor(28), u"clGradientInactiveCaption"},
        {systemColor(29), u"clMenuHighlight"},
        {systemColor(30), u"clMenuBar"},
        {0x1FFFFFFF, u"clNone"},
        {0x20000000, u"clDefault"},
    }};
    return table;
}

bool isRunChar(char16_t c) { return c >= 32 && c <= 127 && c != u'\''; }

constexpr int WrapWidth = 64;     // characters of a string per line
constexpr int BytesPerLine = 32;  // bytes of binary data per line

} // namespace

ObjectTextWriter::ObjectTextWriter()
{
    m_out.reserve(4096);
}

void ObjectTextWriter::beginObject(const QString &name, const QString &className)
{
    beginObject(u"object"_s, name, className, -1);
}

void ObjectTextWriter::beginObject(const QString &keyword, const QString &name,
                                   const QString &className, int index)
{
    m_out.append(2 * m_level, ' ');
    appendText(keyword.toLower());
    m_out.append(' ');
    if (!name.isEmpty()) {
        appendText(name);
        m_out.append(": ");
    }
    appendText(className);
    if (index >= 0) {
        m_out.append(" [");
        appendNumber(index);
        m_out.append(']');
    }
    endLine();
    ++m_level;
}

void ObjectTextWriter::endObject()
{
    if (m_level > 0)
        --m_level;
    m_out.append(2 * m_level, ' ');
    m_out.append("end");
    endLine();
}

void ObjectTextWriter::writeInteger(const QString &property, qint64 value)
{
    beginProperty(property);
    appendNumber(value);
    endLine();
}

void ObjectTextWriter::writeBool(const QString &property, bool value)
{
    beginProperty(property);
    m_out.append(value ? "True" : "False");
    endLine();
}

void ObjectTextWriter::writeColor(const QString &property, TColor value)
{
    beginProperty(property);
    bool named = false;
    const QString name = colorName(value, &named);
    if (named)
        appendText(name);
    else
        appendNumber(value);
    endLine();
}

void ObjectTextWriter::writeString(const QString &property, const QString &value)
{
    beginProperty(property);
    appendString(value, m_level);
    endLine();
}

void ObjectTextWriter::writeReference(const QString &property, const QString &blockName)
{
    beginProperty(property);
    appendText(ReferenceOwner);
    m_out.append('.');
    appendText(blockName);
    endLine();
}

void ObjectTextWriter::writeMargins(int left, int top, int right, int bottom)
{
    constexpr int Default = 3;
    if (left != Default)
        writeInteger(u"Margins.Left"_s, left);
    if (top != Default)
        writeInteger(u"Margins.Top"_s, top);
    if (right != Default)
        writeInteger(u"Margins.Right"_s, right);
    if (bottom != Default)
        writeInteger(u"Margins.Bottom"_s, bottom);
}

void ObjectTextWriter::writeIdent(const QString &property, const QString &ident)
{
    beginProperty(property);
    appendText(ident);
    endLine();
}

void ObjectTextWriter::writeValue(const QString &property, const ObjectTextValue &value)
{
    beginProperty(property);
    appendValue(value, m_level);
    endLine();
}

void ObjectTextWriter::writeObject(const ObjectTextObject &object)
{
    beginObject(object.keyword, object.name, object.className, object.index);
    for (const ObjectTextProperty &p : object.properties)
        writeValue(p.name, p.value);
    for (const ObjectTextObject &child : object.children)
        writeObject(child);
    endObject();
}

QString ObjectTextWriter::colorName(TColor color, bool *found)
{
    for (const NamedColor &entry : colorTable()) {
        if (entry.value == color) {
            if (found)
                *found = true;
            return entry.name.toString();
        }
    }
    if (found)
        *found = false;
    return QString::number(color);
}

bool ObjectTextWriter::colorFromName(const QString &name, TColor *color)
{
    for (const NamedColor &entry : colorTable()) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            if (color)
                *color = entry.value;
            return true;
        }
    }
    return false;
}

bool ObjectTextWriter::colorFromName(QLatin1StringView name, TColor *color)
{
    // Every block read names three colours: a hash of the lower-case names.
    static const auto byName = [] {
        std::unordered_map<std::string, TColor> m;
        for (const NamedColor &entry : colorTable())
            m.emplace(entry.name.toString().toLower().toStdString(), entry.value);
        return m;
    }();
    std::string lower(size_t(name.size()), '\0');
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char c = name.data()[i];
        lower[size_t(i)] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    const auto it = byName.find(lower);
    if (it == byName.end())
        return false;
    if (color)
        *color = it->second;
    return true;
}

void ObjectTextWriter::beginProperty(const QString &property)
{
    m_out.append(2 * m_level, ' ');
    appendText(property);
    m_out.append(" = ");
}

void ObjectTextWriter::endLine()
{
    m_out.append("\r\n");
}

void ObjectTextWriter::newLine(int level)
{
    endLine();
    m_out.append(2 * level, ' ');
}

// Names and identifiers are ASCII in everything the program writes; anything
// else is passed through as UTF-8 rather than lost.
void ObjectTextWriter::appendText(const QString &text)
{
    m_out.append(text.toUtf8());
}

void ObjectTextWriter::appendNumber(qint64 value)
{
    m_out.append(QByteArray::number(value));
}

// level is the nesting level of the line the value starts on.
void ObjectTextWriter::appendValue(const ObjectTextValue &value, int level)
{
    switch (value.kind()) {
    case ObjectTextValue::Kind::Invalid:
        // Not produced by the reader; an empty string keeps the file readable.
        m_out.append("''");
        break;
    case ObjectTextValue::Kind::Integer:
        appendNumber(value.toInt());
        break;
    case ObjectTextValue::Kind::Float:
    case ObjectTextValue::Kind::Ident:
        appendText(value.text());
        break;
    case ObjectTextValue::Kind::String:
        appendString(value.toString(), level);
        break;
    case ObjectTextValue::Kind::Set: {
        m_out.append('[');
        const QStringList elements = value.setElements();
        for (qsizetype i = 0; i < elements.size(); ++i) {
            if (i > 0)
                m_out.append(", ");
            appendText(elements.at(i));
        }
        m_out.append(']');
        break;
    }
    case ObjectTextValue::Kind::List:
        m_out.append('(');
        for (const ObjectTextValue &item : value.listItems()) {
            newLine(level + 1);
            appendValue(item, level + 1);
        }
        m_out.append(')');
        break;
    case ObjectTextValue::Kind::Binary:
        appendBinary(value.binaryData(), level);
        break;
    case ObjectTextValue::Kind::Collection:
        appendCollection(value.collectionItems(), level);
        break;
    }
}

// Quoted runs of characters 32..127 (apostrophe excluded) and "#NNN" codes
// for everything else, one code per UTF-16 unit. A value longer than one
// line starts on a line of its own; lines are cut after 64 characters of the
// string, in the middle of a run if need be, and continued with " +".
void ObjectTextWriter::appendString(const QString &text, int level)
{
    const qsizetype length = text.size();
    if (length == 0) {
        m_out.append("''");
        return;
    }
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    const int valueLevel = level + 1;
    if (length > WrapWidth)
        newLine(valueLevel);
    qsizetype lineStart = 0;
    qsizetype i = 0;
    while (i < length) {
        if (isRunChar(s[i])) {
            const qsizetype runStart = i;
            do {
                ++i;
            } while (i < length && isRunChar(s[i]) && i - lineStart < WrapWidth);
            m_out.append('\'');
            for (qsizetype k = runStart; k < i; ++k)
                m_out.append(char(s[k]));
            m_out.append('\'');
        } else {
            m_out.append('#');
            appendNumber(s[i]);
            ++i;
        }
        if (i - lineStart >= WrapWidth) {
            lineStart = i;
            if (i < length) {
                m_out.append(" +");
                newLine(valueLevel);
            }
        }
    }
}

void ObjectTextWriter::appendBinary(const QByteArray &bytes, int level)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    m_out.append('{');
    const bool multiLine = bytes.size() >= BytesPerLine;
    qsizetype pos = 0;
    do {
        if (multiLine)
            newLine(level + 1);
        const qsizetype end = qMin(pos + BytesPerLine, bytes.size());
        for (; pos < end; ++pos) {
            const auto b = static_cast<unsigned char>(bytes.at(pos));
            m_out.append(Hex[b >> 4]);
            m_out.append(Hex[b & 0xF]);
        }
    } while (pos < bytes.size());
    m_out.append('}');
}

void ObjectTextWriter::appendCollection(const QList<ObjectTextCollectionItem> &items, int level)
{
    m_out.append('<');
    for (const ObjectTextCollectionItem &item : items) {
        newLine(level + 1);
        m_out.append("item");
        if (item.index >= 0) {
            m_out.append(" [");
            appendNumber(item.index);
            m_out.append(']');
        }
        endLine();
        for (const ObjectTextProperty &p : item.properties) {
            m_out.append(2 * (level + 2), ' ');
            appendText(p.name);
            m_out.append(" = ");
            appendValue(p.value, level + 2);
            endLine();
        }
        m_out.append(2 * (level + 1), ' ');
        m_out.append("end");
    }
    m_out.append('>');
}
