#include "toolchain/FirmwareBurn.h"

#include "toolchain/IdeRunner.h"
#include "toolchain/UploadEvidence.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

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

QString FirmwareBurn::failedMessage(const WatchedRun::End &end, const QString &output, const QString &port)
{
    const QString head = u"Η εγγραφή του λογισμικού στο Arduino απέτυχε."_s;
    if (end.stop == WatchedRun::Stop::Cancelled)
        return u"Η εγγραφή του λογισμικού στο Arduino ακυρώθηκε. Η πλακέτα μπορεί να μην έχει τώρα κανένα "
               u"πρόγραμμα: γράψτε το λογισμικό ξανά πριν τη χρησιμοποιήσετε."_s;
    if (end.stop == WatchedRun::Stop::Stalled) {
        QString text = head + u"\nΓια %1 δευτερόλεπτα δεν ήρθε κανένα νέο από το avrdude, οπότε σταμάτησε."_s.arg(
                                  (end.stallLimitMs + 999) / 1000);
        // avrdude waits without a word on a board that has gone away.
        const UploadEvidence::Problem p = UploadEvidence::problem(output, port, false);
        if (p == UploadEvidence::Problem::PortGone || p == UploadEvidence::Problem::PortMissing)
            return text + u'\n' + UploadEvidence::explain(UploadEvidence::Problem::PortGone, port);
        return text + u" Ελέγξτε ότι η πλακέτα είναι συνδεδεμένη και ότι διαλέξατε τη σωστή πόρτα, και δοκιμάστε "
                      u"ξανά."_s;
    }
    QString why = UploadEvidence::explain(UploadEvidence::problem(output, port, end.exitCode == 0), port);
    why.replace(u"«Arduino Κώδικας»"_s, u"κάτω από το κουμπί"_s);
    return head + u'\n' + why;
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
#ifdef Q_OS_WIN
    const QString own = inFolder(s.firmwareFolder, u"avrdude.exe"_s);
#else
    const QString own = inFolder(s.firmwareFolder, u"avrdude"_s);
#endif
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

FirmwareBurn::FirmwareBurn(IdeRunner &runner, Clock &clock, DebugLog &log, UserPrompt &prompt)
    : fRun(std::make_unique<WatchedRun>(runner, clock)), fLog(log), fPrompt(prompt)
{
}

FirmwareBurn::~FirmwareBurn() = default;

bool FirmwareBurn::running() const
{
    return fRun->running();
}

void FirmwareBurn::cancel()
{
    fRun->cancel();
}

bool FirmwareBurn::BurnFirmware(const Settings &settings, Sink sink)
{
    if (fRun->running())
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
    auto collected = std::make_shared<QString>();
    WatchedRun::Callbacks callbacks;
    callbacks.output = [append = sink.appendText, collected](const QString &text) {
        *collected += text;
        if (append)
            append(text);
    };
    callbacks.finished = [this, sink, collected, program = c.program, port = settings.port](const WatchedRun::End &end) {
        // Written only when avrdude ended well and said what it wrote.
        const bool burnt = end.started && end.stop == WatchedRun::Stop::None && end.exitCode == 0
                           && UploadEvidence::confirmed(*collected);
        QString message;
        if (burnt)
            message = completeText();
        else if (!end.started)
            message = notStartedMessage(program);
        else
            message = failedMessage(end, *collected, port);
        fLog.AddDebug(message);
        // The run is over before the message shows.
        if (sink.done)
            sink.done(burnt);
        fPrompt.showMessage(message, burnt ? UserPrompt::Icon::Information : UserPrompt::Icon::Error);
    };
    // avrdude talks to the bootloader from the start.
    fRun->start(c.program, c.arguments, settings.firmwareFolder, StallWatch(settings.limits, true),
                std::move(callbacks));
    return true;
}
