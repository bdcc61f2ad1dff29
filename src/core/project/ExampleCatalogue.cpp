#include "project/ExampleCatalogue.h"

#include "lessons/LessonTree.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// The example folder of each lesson's program, and what the menu adds to a title
// that alone says little ("Άσκηση 3").
struct LessonExample {
    QString folder;
    QString about;
};

const QHash<QString, LessonExample> &lessonExamples()
{
    static const QHash<QString, LessonExample> table{
        {u"Led Λαμπάκι"_s, {u"led"_s, {}}},
        {u"Laser"_s, {u"laser"_s, {}}},
        {u"Διακόπτης Πλήκτρο"_s, {u"button"_s, {}}},
        {u"Αισθητήρας Φωτός"_s, {u"light-sensor"_s, {}}},
        {u"Αισθητήρας Υγρασίας Εδάφους"_s, {u"soil-moisture"_s, {}}},
        {u"LCD Οθόνη"_s, {u"lcd"_s, {}}},
        {u"Αισθητήρας Θερμοκρασίας - Υγρασίας"_s, {u"temperature-humidity"_s, {}}},
        {u"UltraSonic Απόσταση"_s, {u"ultrasonic"_s, {}}},
        {u"Άσκηση 1"_s, {u"exercise-1"_s, u"Ένα λαμπάκι που αναβοσβήνει"_s}},
        {u"Άσκηση 2"_s, {u"exercise-2"_s, u"Φανάρι κυκλοφορίας"_s}},
        {u"Άσκηση 3"_s, {u"exercise-3"_s, u"SOS σε κώδικα Morse"_s}},
        {u"Άσκηση 4"_s, {u"exercise-4"_s, u"Το κουμπί αποφασίζει"_s}},
        {u"Άσκηση 5"_s, {u"exercise-5"_s, u"Όλο και πιο γρήγορα, με μια μεταβλητή"_s}},
        {u"Project 1"_s, {u"project-1"_s, u"Αισθητήρας στάθμευσης"_s}},
        {u"Project 2"_s, {u"project-2"_s, u"Θερμόμετρο με οθόνη"_s}},
        {u"Project 3"_s, {u"project-3"_s, u"Νυχτερινό φωτάκι"_s}},
        {u"Project 4"_s, {u"project-4"_s, u"Η γλάστρα που ζητά νερό"_s}},
        {u"Project 5"_s, {u"project-5"_s, u"Συναγερμός με laser"_s}},
    };
    return table;
}

QList<ExampleGroup> build()
{
    QList<ExampleGroup> groups{{QString(),
                                {{u"Αναβοσβήνει το LED του pin 13"_s, u"blink/blink.vzl"_s},
                                 {u"Θερμοκρασία στην οθόνη LCD"_s, u"lcd-temperature/lcd-temperature.vzl"_s},
                                 {u"Ρομπότ που αποφεύγει τα εμπόδια"_s, u"robot/robot.vzl"_s}}}};
    for (const LessonCategory &category : LessonTree::categories()) {
        ExampleGroup group{category.title, {}};
        for (const QString &lesson : category.lessons) {
            const auto it = lessonExamples().constFind(lesson);
            if (it == lessonExamples().cend())
                continue;
            const QString title = it->about.isEmpty() ? lesson : lesson + u": "_s + it->about;
            group.entries.append({title, u"lessons/"_s + it->folder + u'/' + it->folder + u".vzl"_s});
        }
        groups.append(group);
    }
    return groups;
}

} // namespace

const QList<ExampleGroup> &ExampleCatalogue::groups()
{
    static const QList<ExampleGroup> groups = build();
    return groups;
}

const ExampleEntry *ExampleCatalogue::forLesson(const QString &category, const QString &lesson)
{
    const auto it = lessonExamples().constFind(lesson);
    if (it == lessonExamples().cend())
        return nullptr;
    for (const ExampleGroup &group : groups())
        if (group.title == category)
            for (const ExampleEntry &entry : group.entries)
                if (entry.file.startsWith(u"lessons/"_s + it->folder + u'/'))
                    return &entry;
    return nullptr;
}

QList<ExampleEntry> ExampleCatalogue::all()
{
    QList<ExampleEntry> entries;
    for (const ExampleGroup &group : groups())
        entries += group.entries;
    return entries;
}
