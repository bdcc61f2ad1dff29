#include "shell/CommandLine.h"

#include "shell/ProgramVersion.h"

#include <QDir>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

bool isHelp(const QString &a)
{
    return a == u"--help"_s || a == u"-h"_s || a == u"-?"_s;
}

bool isVersion(const QString &a)
{
    return a == u"--version"_s || a == u"-v"_s;
}

} // namespace

CommandLine::Result CommandLine::parse(const QStringList &args, const QString &currentDir)
{
    const qsizetype end = args.indexOf(u"--"_s);
    const QStringList options = end < 0 ? args : args.mid(0, end);
    // Asking for help or the version is answered whatever else the line holds.
    for (const QString &a : options)
        if (isHelp(a))
            return {Action::Help, {}, {}};
    for (const QString &a : options)
        if (isVersion(a))
            return {Action::Version, {}, {}};

    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (i == end)
            continue;
        const bool option = (end < 0 || i < end) && a.startsWith(u'-') && a.size() > 1;
        if (option)
            return {Action::Error, {}, u"Άγνωστη επιλογή «%1»."_s.arg(a)};
        if (!a.isEmpty())
            files << a;
    }
    if (files.size() > 1)
        return {Action::Error, {},
                u"Δόθηκαν %1 αρχεία· το πρόγραμμα ανοίγει ένα πρόγραμμα (.vzl) κάθε φορά."_s.arg(files.size())};
    Result result;
    if (!files.isEmpty()) {
        QString name = files.constFirst();
        if (name.startsWith(u"file:"_s, Qt::CaseInsensitive)) {
            const QUrl url(name);
            if (url.isLocalFile())
                name = url.toLocalFile();
        }
        result.file = QDir::cleanPath(QDir(currentDir).absoluteFilePath(name));
    }
    return result;
}

QString CommandLine::helpText(const QString &settingsFolder)
{
    return u"Χρήση: vimsel [ΑΡΧΕΙΟ.vzl]\n"
           u"\n"
           u"%1: οι μαθητές προγραμματίζουν το Arduino\n"
           u"με εντολές που κουμπώνουν η μία κάτω από την άλλη. Με ένα αρχείο προγράμματος\n"
           u"(.vzl) το πρόγραμμα ξεκινά με αυτό ανοιχτό· τα αρχεία .adv (συσκευές) και .var\n"
           u"(μεταβλητές) με το ίδιο όνομα διαβάζονται μαζί του.\n"
           u"\n"
           u"Επιλογές:\n"
           u"  -h, --help      Εμφανίζει αυτή τη βοήθεια.\n"
           u"  -v, --version   Εμφανίζει την έκδοση του προγράμματος.\n"
           u"\n"
           u"Οι ρυθμίσεις κάθε χρήστη (Options.ini, BTPort.ini), ο φάκελος Out με το\n"
           u"Output.ino και το αντίγραφο των αλλαγών που δεν αποθηκεύτηκαν φυλάσσονται στον\n"
           u"φάκελο:\n"
           u"  %2\n"
           u"\n"
           u"Τον κώδικα Arduino ενός προγράμματος τυπώνει η εντολή vimsel-sketch ΑΡΧΕΙΟ.vzl.\n"
           u"Ο οδηγός του εκπαιδευτικού ανοίγει μέσα στο πρόγραμμα με το F1.\n"_s
        .arg(ProgramVersion::title(), settingsFolder);
}

QString CommandLine::versionText()
{
    return u"vimsel "_s + ProgramVersion::versionText() + u'\n' + ProgramVersion::title() + u'\n';
}

QString CommandLine::seeHelpText()
{
    return u"Δείτε: vimsel --help\n"_s;
}
