#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// Rules of the in-block number field and choice list (TKeloEdit, TKeloCombo),
// kept apart from the widgets so they can be checked without a display.
namespace KeloEditRules {

// True when the text is a whole number a field can hold: an optional leading
// "-" followed by the digits 0-9, within the signed 32-bit range. An empty text,
// a lone "-" (the first key of a negative number) and "1.5" are not.
bool IsWholeNumber(const QString &text);

// The text as a whole number; 0 when it is not one.
int ValueOf(const QString &text);

// v limited to min..max. The upper bound is applied first, so with min > max
// the result is min.
int Clamp(int v, int min, int max);

// Whether a character typed into a numbers-only field reaches the text.
// text: the field's text; the selection is [selStart, selStart + selLength)
// (selLength 0 for a bare caret at selStart). Accepted: Backspace (8), the
// digits 0-9, "-" and decimalSeparator. Refused: any other character, any code
// above 255, a "-" or separator that the text keeps outside the selection
// already, and a "-" that would not land at position 0.
bool AcceptsKey(const QString &text, int selStart, int selLength, QChar ch,
                QChar decimalSeparator);

// The pieces a field draws one after the other: one user-perceived character
// each, so a surrogate pair or a letter with its accent stays together.
QStringList DrawnPieces(const QString &text);

// Whether a drawn piece is painted pure red: the digits 0-9 of a free-text
// field (numbersOnly false). Number fields draw every character in the font
// colour.
bool IsDrawnRed(const QString &piece, bool numbersOnly);

// Width of the text area of a fitted field from the pixel widths of "0" and
// of its text: the wider of the two plus 8, so an empty field stays clickable.
int FittedTextWidth(int zeroWidth, int textWidth);

// The entry a choice list shows when asked for `requested` among `count`
// entries: past the end gives the last entry; a negative index, or any index
// on an empty list, gives nothing (the list keeps its choice).
std::optional<int> ReducedItemIndex(int requested, int count);

} // namespace KeloEditRules
