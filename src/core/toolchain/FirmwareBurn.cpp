#include "toolchain/FirmwareBurn.h"

#include "toolchain/IdeRunner.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString inFolder(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

} // namespace

QString FirmwareBurn::missingFileMessage(const QString &path)
{
    return u"Το αρχείο δεν υπάρχει!!! \r\n"_s + path + u"\r\nΗ διαδικασία ακυρώθηκε."_s;
}

QString FirmwareBurn::failedMessage(int exitCode)
{
    return u"Η εγγραφή του λογισμικού στο Arduino απέτυχε (κωδικός εξόδου %1 του avrdude).\n"
           u"Δείτε τα μηνύματα του avrdude κάτω από το κουμπί, ελέγξτε την πόρτα και την πλακέτα και "
           u"ξαναδοκιμάστε."_s.arg(exitCode);
}

QString FirmwareBurn::notStartedMessage(const QString &program)
{
    return u"Δεν ήταν δυνατό να ξεκινήσει το avrdude (%1). Εγκαταστήστε το avrdude ή βάλτε το στον φάκελο "
           u"του λογισμικού."_s.arg(program);
}

QString FirmwareBurn::firmwareFile(const QString &firmwareFolder, const QString &boardFamily)
{
    return inFolder(firmwareFolder, u"Morvane.ino."_s + boardFamily + u".hex"_s);
}

FirmwareBurn::Command FirmwareBurn::command(const Settings &s)
{
    Command c;
    const QString own = inFolder(s.firmwareFolder, u"avrdude"_s);
    const QFileInfo ownInfo(own);
    if (ownInfo.isFile() && ownInfo.isExecutable()) {
        c.program = own;
    } else {
        c.program = QStandardPaths::findExecutable(u"avrdude"_s);
        if (c.program.isEmpty())
            c.program = u"avrdude"_s;
    }
    const QString ownConfig = inFolder(s.firmwareFolder, u"avrdude.conf"_s);
    const QString config = QFileInfo::exists(ownConfig) ? ownConfig : s.systemConfig;
    const bool mega = s.boardFamily == u"Mega"_s;
    const QString part = mega ? u"-patmega2560"_s : u"-patmega328p"_s;
    const QString programmer = mega ? u"-cwiring"_s : u"-carduino"_s;
    const QString hex = firmwareFile(s.firmwareFolder, s.boardFamily);
    c.arguments = {u"-C"_s + config, u"-v"_s, part, programmer, u"-P"_s + s.port, u"-b115200"_s, u"-D"_s,
                   u"-Uflash:w:"_s + hex + u":i"_s};
    c.shown = u"\""_s + c.program + u"\" -C\""_s + config + u"\" -v "_s + part + u' ' + programmer + u" -P"_s + s.port
              + u" -b115200 -D -Uflash:w:\""_s + hex + u"\":i"_s;
    return c;
}

bool FirmwareBurn::running() const
{
    return fRunner.isRunning();
}

bool FirmwareBurn::BurnFirmware(const Settings &settings, Sink sink)
{
    if (fRunner.isRunning())
        return false;
    if (settings.port.isEmpty()) {
        fPrompt.showMessage(noPortMessage(), UserPrompt::Icon::Warning);
        return false;
    }
    const QString hex = firmwareFile(settings.firmwareFolder, settings.boardFamily);
    if (!QFileInfo::exists(hex)) {
        fPrompt.showMessage(missingFileMessage(hex), UserPrompt::Icon::Error);
        return false;
    }
    const Command c = command(settings);
    fLog.AddDebug(c.shown);
    if (sink.appendLine)
        sink.appendLine(c.shown);
    IdeRunner::Callbacks callbacks;
    callbacks.output = [append = sink.appendText](const QString &text) {
        if (append)
            append(text);
    };
    callbacks.finished = [this, sink, program = c.program](bool started, int exitCode) {
        const bool burnt = started && exitCode == 0;
        if (burnt) {
            fLog.AddDebug(completeText());
            fPrompt.showMessage(completeText(), UserPrompt::Icon::Information);
        } else {
            const QString message = started ? failedMessage(exitCode) : notStartedMessage(program);
            fLog.AddDebug(message);
            fPrompt.showMessage(message, UserPrompt::Icon::Error);
        }
        if (sink.done)
            sink.done(burnt);
    };
    fRunner.start(c.program, c.arguments, settings.firmwareFolder, std::move(callbacks));
    return true;
}
