#include "blocks/KeloEditRules.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace KeloEditRules {

namespace {
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
constexpr char16_t Backspace = 8;
} // namespace

bool IsWholeNumber(const QString &text)
{
    const qsizetype first = text.startsWith(u'-') ? 1 : 0;
    if (text.size() == first)
        return false;
    for (qsizetype i = first; i < text.size(); ++i)
        if (!isAsciiDigit(text.at(i)))
            return false;
    // QString::toInt checks the 32-bit range (and alone would also accept
    // blanks and "+", which a field never holds).
    bool ok = false;
    text.toInt(&ok);
    return ok;
}

int ValueOf(const QString &text)
{
    return IsWholeNumber(text) ? text.toInt() : 0;
}

int Clamp(int v, int min, int max)
{
    if (v > max)
        v = max;
    if (v < min)
        v = min;
    return v;
}

bool AcceptsKey(const QString &text, int selStart, int selLength, QChar ch,
                QChar decimalSeparator)
{
    if (ch.unicode() > 255)
        return false;
    if (ch.unicode() == Backspace || isAsciiDigit(ch))
        return true;
    if (ch != u'-' && ch != decimalSeparator)
        return false;
    // Only what the typed character does not replace counts as "already there".
    const qsizetype start = std::clamp<qsizetype>(selStart, 0, text.size());
    const qsizetype length = std::clamp<qsizetype>(selLength, 0, text.size() - start);
    const QString kept = text.left(start) + text.mid(start + length);
    if (kept.contains(ch))
        return false;
    if (ch == u'-' && start != 0)
        return false;
    return true;
}

QStringList DrawnPieces(const QString &text)
{
    QStringList pieces;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype from = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype to = finder.position();
        if (to > from)
            pieces.append(text.mid(from, to - from));
        from = to;
    }
    return pieces;
}

bool IsDrawnRed(const QString &piece, bool numbersOnly)
{
    return !numbersOnly && piece.size() == 1 && isAsciiDigit(piece.at(0));
}

int FittedTextWidth(int zeroWidth, int textWidth)
{
    return std::max(zeroWidth, textWidth) + 8;
}

std::optional<int> ReducedItemIndex(int requested, int count)
{
    if (requested < 0 || count <= 0)
        return std::nullopt;
    return std::min(requested, count - 1);
}

} // namespace KeloEditRules
