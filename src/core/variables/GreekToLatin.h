#pragma once

#include <QString>

// The sketch identifier of a variable name: every character found in the
// transliteration table becomes its Latin text (θ → "th", space and comma → "_"),
// every other character is copied unchanged (Ή, ϋ, digits, Latin letters, …).
// Matching is exact: no case folding and no decomposition of accents.
QString GreekToLatin(const QString &text);
