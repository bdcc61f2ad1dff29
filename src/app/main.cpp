// The program: the main window over one project, with the project named on the
// command line (a double-clicked file) opened once the window shows.
#include "shell/CommandLine.h"
#include "shell/MainWindowBuilder.h"
#include "shell/ProgramFolders.h"
#include "shell/TfrmVimsel.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

void print(std::FILE *to, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    std::fflush(to);
}

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version are answered without a window, so also without a display.
    const CommandLine::Result early = CommandLine::parse(argumentsOf(argc, argv), QDir::currentPath());
    if (early.action == CommandLine::Action::Help || early.action == CommandLine::Action::Version) {
        QCoreApplication core(argc, argv);
        setApplicationNames();
        if (early.action == CommandLine::Action::Version) {
            print(stdout, CommandLine::versionText());
        } else {
            const QString folder = ProgramFolders::forThisUser().writableFolder(
                QCoreApplication::applicationDirPath(), ProgramFolders::Create::No);
            print(stdout, CommandLine::helpText(QDir::toNativeSeparators(folder)));
        }
        return 0;
    }

    QApplication app(argc, argv);
    // Qt has taken its own options ("-platform …") out of the arguments by now.
    const CommandLine::Result line = CommandLine::parse(app.arguments().mid(1), QDir::currentPath());
    if (line.action == CommandLine::Action::Error) {
        print(stderr, line.error + u'\n' + CommandLine::seeHelpText());
        return CommandLine::UsageError;
    }
    const std::unique_ptr<TfrmVimsel> window = buildMainWindow();
    if (!line.file.isEmpty())
        window->openAtStart(line.file);
    window->show();
    return app.exec();
}
