#pragma once

#include "toolchain/BuildReport.h"
#include "toolchain/IdeCommandLine.h"
#include "toolchain/StallWatch.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Clock;
class IdeRunner;
class WatchedRun;

// Sending the sketch to the board once the pupil said yes: the "Out" folder (its
// "build" folder removed), "Output.ino" written, the command line shown, the IDE run
// with its output shown as it comes, "Done!!!", and then what came of it. One run at
// a time; the pupil may cancel it, and a run that stops making progress is ended.
class SketchUpload {
public:
    struct Settings {
        QString writableFolder;  // "Out" is made inside it
        QString ideFolder;
        int boardTypeId = 0;
        QString boardIdentifier;  // empty: the board model's
        QString port;        // empty: compile only
        bool checkOnly = false;  // "Έλεγχος": compile only, whatever the port
        QString sketchbook;  // the folder holding the program's "libraries"
        StallWatch::Limits limits;  // how long the run may go without progress
    };
    struct Sink {
        std::function<void(const QString &line)> appendLine;  // a whole line
        std::function<void(const QString &text)> appendText;  // the IDE's output as it comes
        std::function<void(const BuildReport &report)> done;
    };

    SketchUpload(IdeRunner &runner, Clock &clock);
    ~SketchUpload();

    static QString outFolder(const QString &writableFolder);
    static QString sketchFile(const QString &writableFolder);
    static QString startLine() { return QStringLiteral("Compiling and uploading... Please Wait!!!"); }
    static QString checkLine() { return QStringLiteral("Compiling... Please Wait!!!"); }
    static QString doneLine() { return QStringLiteral("Done!!!"); }

    // sketchText: the code page's text (lines end with LF or CRLF); lineBlocks as in
    // BuildReport. False, with *error, when the sketch file cannot be written (the IDE
    // is not started) or a run is still going on.
    bool start(const QString &sketchText, const QStringList &lineBlocks, const Settings &settings, Sink sink,
               QString *error = nullptr);
    bool running() const;
    // Ends the run and everything it started; done reports it as cancelled.
    void cancel();

    // The folder is made, its "build" removed; the sketch written as UTF-8 with CRLF.
    static bool writeSketch(const QString &writableFolder, const QString &sketchText, QString *error);

private:
    std::unique_ptr<WatchedRun> fRun;
};
