#pragma once

#include <QString>

// The teacher's guide: a document of the lessons folder outside the lessons tree,
// shown in the lessons' browser from the "Βοήθεια" menu (F1). A teacher may replace it
// as any lesson: <lessons folder>/Βοήθεια/Οδηγός εκπαιδευτικού.htm (or .html, .mht).
class TeacherGuide {
public:
    static QString category() { return QStringLiteral("Βοήθεια"); }
    static QString title() { return QStringLiteral("Οδηγός εκπαιδευτικού"); }
};
