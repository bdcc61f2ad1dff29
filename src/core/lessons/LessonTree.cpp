#include "lessons/LessonTree.h"

using namespace Qt::StringLiterals;

const QList<LessonCategory> &LessonTree::categories()
{
    static const QList<LessonCategory> tree{
        {u"Συσκευές Σύνδεση"_s,
         {u"Led Λαμπάκι"_s, u"Laser"_s, u"Διακόπτης Πλήκτρο"_s, u"Αισθητήρας Φωτός"_s,
          u"Αισθητήρας Υγρασίας Εδάφους"_s, u"LCD Οθόνη"_s, u"Αισθητήρας Θερμοκρασίας - Υγρασίας"_s,
          u"UltraSonic Απόσταση"_s}},
        {u"Βασικά"_s, {u"Άσκηση 1"_s, u"Άσκηση 2"_s, u"Άσκηση 3"_s, u"Άσκηση 4"_s, u"Άσκηση 5"_s}},
        {u"Project Απλά"_s, {u"Project 1"_s, u"Project 2"_s, u"Project 3"_s, u"Project 4"_s, u"Project 5"_s}},
    };
    return tree;
}
