#include "project/SketchCommand.h"

#include "checks/ProjectChecks.h"
#include "codegen/SketchGenerator.h"
#include "project/BlockReader.h"
#include "project/ProjectFiles.h"
#include "project/Project.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace SketchCommand {

namespace {

// Debug lines and messages go straight to standard error. Lines about what could not
// be read from the project always do: without them a damaged file would give a
// different sketch without a word.
class StreamLog : public DebugLog {
public:
    StreamLog(QByteArray &err, bool enabled) : fErr(err), fEnabled(enabled) {}
    void AddDebug(const QString &line) override
    {
        if (fEnabled || line.startsWith(BlockReader::errorReadingPrefix()))
            fErr += line.toUtf8() + '\n';
    }

private:
    QByteArray &fErr;
    bool fEnabled;
};

class StreamPrompt : public UserPrompt {
public:
    explicit StreamPrompt(QByteArray &err) : fErr(err) {}
    void showMessage(const QString &text, Icon) override { fErr += text.toUtf8() + '\n'; }
    Answer askOkCancel(const QString &text, Icon) override
    {
        fErr += text.toUtf8() + '\n';
        return Answer::Cancel;
    }

private:
    QByteArray &fErr;
};

} // namespace

struct Session {
    Session(QByteArray &err, bool withLog) : log(err, withLog), prompt(err) {}
    FixedTextMeasurer measurer;
    StreamLog log;
    StreamPrompt prompt;
    Project project{&measurer, &log, &prompt};
};

void SessionDeleter::operator()(Session *s) const
{
    delete s;
}

QString usage()
{
    return u"Usage: vimsel-sketch [--log] [--check] PROJECT.vzl\n"
           u"\n"
           u"Writes to standard output the Arduino sketch of a Vimsel project, exactly as\n"
           u"the program would save it as Output.ino (UTF-8, CRLF line ends). The devices\n"
           u"file (.adv) and the variables file (.var) beside the project are read too.\n"
           u"\n"
           u"Properties and links of the program file that cannot be used are skipped\n"
           u"and named on standard error (\"Error reading <block>.<property>: ...\").\n"
           u"\n"
           u"  --log    also write all the other debug lines to standard error\n"
           u"  --check  instead of the sketch, write what the checks before sending find,\n"
           u"           one finding a line (in Greek, with the block, device or variable)\n"
           u"  --help   show this text\n"
           u"\n"
           u"Exit status: 0 the sketch was written, 1 the program has no start block,\n"
           u"2 bad arguments or a project that cannot be read. With --check: 0 nothing\n"
           u"found, 3 only warnings, 4 at least one error (the sketch would not compile).\n"_s;
}

int run(const QStringList &arguments, QByteArray &out, QByteArray &err)
{
    return run(arguments, out, err, nullptr);
}

int run(const QStringList &arguments, QByteArray &out, QByteArray &err, SessionHolder *keep)
{
    bool withLog = false;
    bool check = false;
    QString file;
    for (const QString &a : arguments) {
        if (a == u"--help"_s || a == u"-h"_s) {
            out += usage().toUtf8();
            return 0;
        }
        if (a == u"--log"_s) {
            withLog = true;
        } else if (a == u"--check"_s) {
            check = true;
        } else if (a.startsWith(u'-') || !file.isEmpty()) {
            err += (u"vimsel-sketch: unexpected argument "_s + a + u"\n\n"_s + usage()).toUtf8();
            return 2;
        } else {
            file = a;
        }
    }
    if (file.isEmpty()) {
        err += usage().toUtf8();
        return 2;
    }
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        err += (u"vimsel-sketch: cannot read "_s + file + u'\n').toUtf8();
        return 2;
    }

    SessionHolder session(new Session(err, withLog));
    Project &project = session->project;
    const ProjectFiles::LoadResult loaded = ProjectFiles::loadProject(project, file);
    if (!loaded.ok) {
        err += (u"vimsel-sketch: "_s + file + u": "_s + loaded.error + u'\n').toUtf8();
        return 2;
    }
    if (check) {
        const QList<Finding> findings = ProjectChecks::run(project);
        for (const Finding &f : findings)
            out += f.line().toUtf8() + '\n';
        return findings.isEmpty() ? 0 : ProjectChecks::hasErrors(findings) ? 4 : 3;
    }
    const auto lines = project.generateSketch();
    if (keep)
        *keep = std::move(session);
    if (!lines)
        return 1;
    out += SketchGenerator::sketchText(*lines).toUtf8();
    return 0;
}

} // namespace SketchCommand
