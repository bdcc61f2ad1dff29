#include "variables/GreekToLatin.h"

#include <array>
#include <utility>

namespace {

// The table covers the Greek block U+0386..U+03CE, so one subtraction finds the
// replacement of a character and the whole text is converted in a single pass.
constexpr char16_t First = 0x0386;
constexpr char16_t Last = 0x03CE;
using Table = std::array<const char *, Last - First + 1>;

constexpr std::pair<char16_t, const char *> Pairs[] = {
    {u'α', "a"},  {u'ά', "a"},  {u'Ά', "A"},  {u'Α', "A"},  {u'β', "b"},  {u'Β', "B"},
    {u'γ', "g"},  {u'Γ', "G"},  {u'δ', "d"},  {u'Δ', "D"},  {u'ε', "e"},  {u'έ', "e"},
    {u'Ε', "E"},  {u'Έ', "E"},  {u'ζ', "z"},  {u'Ζ', "Z"},  {u'η', "i"},  {u'ή', "i"},
    {u'ι', "i"},  {u'ί', "i"},  {u'ϊ', "i"},  {u'ΐ', "i"},  {u'Η', "I"},  {u'Ι', "I"},
    {u'Ί', "I"},  {u'θ', "th"}, {u'Θ', "Th"}, {u'κ', "k"},  {u'Κ', "K"},  {u'λ', "l"},
    {u'Λ', "L"},  {u'μ', "m"},  {u'Μ', "M"},  {u'ν', "n"},  {u'Ν', "N"},  {u'ξ', "x"},
    {u'Ξ', "X"},  {u'ο', "o"},  {u'ό', "o"},  {u'ω', "o"},  {u'ώ', "o"},  {u'Ο', "O"},
    {u'Ό', "O"},  {u'Ω', "O"},  {u'Ώ', "O"},  {u'π', "p"},  {u'Π', "P"},  {u'ρ', "r"},
    {u'Ρ', "R"},  {u'σ', "s"},  {u'ς', "s"},  {u'Σ', "S"},  {u'τ', "t"},  {u'Τ', "T"},
    {u'υ', "u"},  {u'ύ', "u"},  {u'Υ', "Y"},  {u'Ύ', "Y"},  {u'φ', "f"},  {u'Φ', "F"},
    {u'χ', "ch"}, {u'Χ', "Ch"}, {u'ψ', "ps"}, {u'Ψ', "Ps"},
};
// With space and comma (handled apart, outside the Greek block) the table has 66
// characters.
static_assert(std::size(Pairs) == 64);

constexpr Table makeTable()
{
    Table t{};
    for (const auto &[ch, latin] : Pairs)
        t[ch - First] = latin;
    return t;
}

constexpr Table GreekTable = makeTable();

} // namespace

QString GreekToLatin(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= First && u <= Last) {
            if (const char *latin = GreekTable[u - First]) {
                out.append(QLatin1StringView(latin));
                continue;
            }
        } else if (u == u' ' || u == u',') {
            out.append(QLatin1Char('_'));
            continue;
        }
        out.append(c);
    }
    return out;
}
