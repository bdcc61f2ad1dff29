#include "project/RecoveryStore.h"

#include "util/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {
const QString Base = u"recovery"_s;
const QString Section = u"Recovery"_s;
} // namespace

QString RecoveryStore::file(const QString &name) const
{
    return QDir(fFolder).filePath(name);
}

bool RecoveryStore::write(const ProjectSnapshot &state, const QString &projectFile, QString *error) const
{
    if (!QDir().mkpath(fFolder)) {
        if (error)
            *error = u"Unable to create "_s + fFolder;
        return false;
    }
    IniFile about(file(Base + u".ini"_s));
    about.writeString(Section, u"File"_s, projectFile);
    about.writeString(Section, u"Written"_s, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    const std::pair<QString, QByteArray> files[] = {{Base + u".var"_s, state.variables},
                                                    {Base + u".adv"_s, state.devices},
                                                    {Base + u".vzl"_s, state.program}};
    for (const auto &[name, bytes] : files) {
        QSaveFile f(file(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
            if (error)
                *error = f.errorString();
            return false;
        }
    }
    // Written last: a copy without it is incomplete and never offered.
    return about.save(error);
}

std::optional<RecoveryStore::Copy> RecoveryStore::newerCopy() const
{
    IniFile about(file(Base + u".ini"_s));
    if (!QFileInfo::exists(about.path()) || !about.load() || !QFileInfo::exists(file(Base + u".vzl"_s)))
        return std::nullopt;
    Copy copy;
    copy.programFile = file(Base + u".vzl"_s);
    copy.originalFile = about.readString(Section, u"File"_s);
    copy.written = QDateTime::fromString(about.readString(Section, u"Written"_s), Qt::ISODateWithMs);
    if (!copy.written.isValid())
        return std::nullopt;
    if (!copy.originalFile.isEmpty()) {
        const QFileInfo original(copy.originalFile);
        if (original.exists() && original.lastModified() >= copy.written)
            return std::nullopt;
    }
    return copy;
}

void RecoveryStore::clear() const
{
    for (const QString &ext : {u".ini"_s, u".vzl"_s, u".adv"_s, u".var"_s})
        QFile::remove(file(Base + ext));
}

QString RecoveryStore::offerText(const Copy &copy)
{
    const QString when = copy.written.toLocalTime().toString(u"dd/MM/yyyy HH:mm"_s);
    const QString which = copy.originalFile.isEmpty() ? u"ενός έργου που δεν είχε αποθηκευτεί"_s
                                                      : u"του έργου «%1»"_s.arg(QFileInfo(copy.originalFile).fileName());
    return u"Βρέθηκε αντίγραφο ασφαλείας %1 από %2, με αλλαγές που δεν είχαν αποθηκευτεί.\nΝα ανακτηθεί;"_s.arg(
        which, when);
}
