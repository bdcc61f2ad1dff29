#include "toolchain/SketchUpload.h"

#include "toolchain/IdeLocation.h"
#include "toolchain/IdeRunner.h"
#include "toolchain/WatchedRun.h"

#include <QDir>
#include <QSaveFile>
#include <memory>

using namespace Qt::StringLiterals;

QString SketchUpload::outFolder(const QString &writableFolder)
{
    return IdeLocation::fileIn(writableFolder, u"Out"_s);
}

QString SketchUpload::sketchFile(const QString &writableFolder)
{
    return IdeLocation::fileIn(outFolder(writableFolder), u"Output.ino"_s);
}

bool SketchUpload::writeSketch(const QString &writableFolder, const QString &sketchText, QString *error)
{
    const QString out = outFolder(writableFolder);
    QDir dir(out);
    if (dir.exists()) {
        QDir build(IdeLocation::fileIn(out, u"build"_s));
        if (build.exists())
            build.removeRecursively();
    } else if (!QDir().mkpath(out)) {
        if (error)
            *error = u"Unable to create "_s + out;
        return false;
    }
    // Every line of the text, the last one included, ends with CRLF.
    QString text = sketchText;
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\n', u"\r\n"_s);
    text += u"\r\n"_s;
    QSaveFile file(sketchFile(writableFolder));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

SketchUpload::SketchUpload(IdeRunner &runner, Clock &clock) : fRun(std::make_unique<WatchedRun>(runner, clock)) {}

SketchUpload::~SketchUpload() = default;

bool SketchUpload::running() const
{
    return fRun->running();
}

void SketchUpload::cancel()
{
    fRun->cancel();
}

bool SketchUpload::start(const QString &sketchText, const QStringList &lineBlocks, const Settings &settings,
                         Sink sink, QString *error)
{
    if (fRun->running()) {
        if (error)
            *error = u"Η αποστολή στο Arduino βρίσκεται ήδη σε εξέλιξη."_s;
        return false;
    }
    if (!writeSketch(settings.writableFolder, sketchText, error))
        return false;
    const IdeCommandLine command =
        IdeCommandLine::make(settings.ideFolder,
                             settings.boardIdentifier.isEmpty() ? IdeCommandLine::boardIdentifier(settings.boardTypeId)
                                                                : settings.boardIdentifier,
                             settings.checkOnly ? QString() : settings.port,
                             sketchFile(settings.writableFolder), settings.sketchbook);
    for (const QString &line : {QString(), command.text(), settings.checkOnly ? checkLine() : startLine(), QString()})
        sink.appendLine(line);
    auto collected = std::make_shared<QString>();
    WatchedRun::Callbacks callbacks;
    callbacks.output = [sink, collected](const QString &text) {
        *collected += text;
        sink.appendText(text);
    };
    callbacks.finished = [sink, collected, lineBlocks, command, checkOnly = settings.checkOnly](const WatchedRun::End &end) {
        sink.appendLine(doneLine());
        BuildReport report = BuildReport::analyse(command.upload(), end, *collected, lineBlocks, command.port);
        report.checkOnly = checkOnly;
        sink.done(report);
    };
    fRun->start(command.program, command.arguments, outFolder(settings.writableFolder), StallWatch(settings.limits),
                std::move(callbacks));
    return true;
}
