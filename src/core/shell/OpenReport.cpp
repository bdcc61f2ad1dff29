#include "shell/OpenReport.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

std::optional<OpenReport> OpenReport::make(const QString &fileName, bool readOk, const QString &error, int blocksRead,
                                           int blocksInFile, const QStringList &skipped)
{
    if (readOk && skipped.isEmpty())
        return std::nullopt;
    const QString name = QFileInfo(fileName).fileName();
    OpenReport r;
    QStringList lines;
    if (!error.isEmpty())
        lines << error;
    lines << skipped;
    r.details = lines.join(u'\n');
    if (!readOk && blocksRead == 0) {
        // A file named on the command line (or double-clicked) may be gone by now.
        const bool missing = !QFileInfo::exists(fileName);
        const bool empty = QFileInfo(fileName).size() == 0;
        r.text = (missing ? u"Το αρχείο «%1» δεν βρέθηκε: ίσως μετακινήθηκε ή σβήστηκε."_s
                  : empty ? u"Το αρχείο «%1» είναι άδειο: δεν έχει κανένα πρόγραμμα."_s
                          : u"Το αρχείο «%1» δεν είναι πρόγραμμα αυτής της εφαρμογής ή έχει καταστραφεί, οπότε δεν "
                            u"άνοιξε."_s)
                     .arg(name)
                 + u"\nΤο πρόγραμμα που είχατε ανοιχτό έμεινε όπως ήταν. Ανοίξτε ένα αρχείο .vzl που φτιάξατε "
                   u"εδώ, ή ένα αντίγραφό του."_s;
        return r;
    }
    r.usable = true;
    if (!readOk) {
        r.text = u"Το αρχείο «%1» έχει καταστραφεί: φορτώθηκαν %2 από τα %3 blocks, τα υπόλοιπα δεν "
                 u"διαβάστηκαν."_s.arg(name)
                     .arg(blocksRead)
                     .arg(qMax(blocksInFile, blocksRead));
    } else {
        r.text = u"Το αρχείο «%1» άνοιξε, αλλά %2 από τις ρυθμίσεις του δεν διαβάστηκαν και έμειναν όπως είναι "
                 u"σε ένα νέο block."_s.arg(name)
                     .arg(skipped.size());
    }
    r.text += u"\nΕλέγξτε το πρόγραμμα και αποθηκεύστε το με «Αποθήκευση ώς ...» σε νέο αρχείο, ώστε να μείνει "
              u"και το αρχικό."_s;
    return r;
}

int OpenReport::blocksInFile(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.size() > 7 && qstrnicmp(line.constData(), "object ", 7) == 0)
            ++n;
    }
    return n;
}
