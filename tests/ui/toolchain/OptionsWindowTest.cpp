// "Επιλογές" and the start-up check of the IDE's folder, through the window's menu
// and the options window's own controls.
#include "shell/ShellTestSupport.h"

#include "toolchain/ArduinoToolchain.h"
#include "toolchain/TfrmOptions.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

class OptionsWindow : public ShellTest {
protected:
    QString optionsFile() const { return programDir.filePath(u"Options.ini"_s); }
    QString storedPath() const
    {
        QFile f(optionsFile());
        if (!f.open(QIODevice::ReadOnly))
            return u"<none>"_s;
        const QString text = QString::fromUtf8(f.readAll());
        const qsizetype at = text.indexOf(u"Path="_s);
        return at < 0 ? u"<none>"_s : text.mid(at + 5).trimmed();
    }
    void storePath(const QByteArray &folder)
    {
        QFile options(optionsFile());
        ASSERT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Arduino]\r\nPath=" + folder + "\r\n");
    }
    // Runs what the pupil does in the modal options window once it is up.
    void whenShown(std::function<void(TfrmOptions *)> steps)
    {
        QTimer::singleShot(0, [steps] {
            auto *dialog = qobject_cast<TfrmOptions *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "the options window is not shown";
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
                return;
            }
            // Focus moves between controls only in the active window.
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            steps(dialog);
        });
    }
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    const QString standIn = QStringLiteral(TEST_DATA_DIR "/stand-in-ide");
};

TEST_F(OptionsWindow, OkStoresAValidFolderAndRefusesAnInvalidOne)
{
    storePath(TEST_DATA_DIR "/stand-in-ide");
    auto w = makeWindow();
    whenShown([&](TfrmOptions *o) {
        EXPECT_EQ(o->Edit1()->text(), standIn);
        // A folder without the IDE, then "OK": the message, the old folder back, and
        // the window stays.
        type(o->Edit1(), QDir::tempPath());
        QTest::mouseClick(o->okButton(), Qt::LeftButton);
        EXPECT_TRUE(o->isVisible());
        EXPECT_EQ(o->Edit1()->text(), standIn);
        // Browsing to the launcher takes its folder, with the final separator.
        o->setFileChooser([&](const QString &) { return standIn + u"/arduino"_s; });
        QTest::mouseClick(o->browseButton(), Qt::LeftButton);
        EXPECT_EQ(o->Edit1()->text(), standIn + u'/');
        QTest::mouseClick(o->okButton(), Qt::LeftButton);
    });
    w->acOptions()->trigger();
    EXPECT_EQ(prompt.messages, QStringList{IdeLocation::invalidFolderMessage()});
    EXPECT_EQ(storedPath(), standIn + u'/');
}

TEST_F(OptionsWindow, LeavingTheBoxWithAnInvalidFolderPutsTheOldOneBackAndCancelWritesNothing)
{
    storePath(TEST_DATA_DIR "/stand-in-ide");
    auto w = makeWindow();
    whenShown([&](TfrmOptions *o) {
        type(o->Edit1(), u"/no/such/folder"_s);
        QTest::keyClick(o->Edit1(), Qt::Key_Tab);
        EXPECT_FALSE(o->Edit1()->hasFocus());
        EXPECT_EQ(o->Edit1()->text(), standIn);
        type(o->Edit1(), QDir::tempPath());
        QTest::mouseClick(o->cancelButton(), Qt::LeftButton);
    });
    w->acOptions()->trigger();
    EXPECT_EQ(prompt.messages, QStringList{IdeLocation::invalidFolderMessage()});
    EXPECT_EQ(storedPath(), standIn);
}

TEST_F(OptionsWindow, SwitchingToAnotherWindowKeepsWhatWasTyped)
{
    storePath(TEST_DATA_DIR "/stand-in-ide");
    auto w = makeWindow();
    const QString typed = QDir::tempPath() + u"/arduino-1.8"_s;
    whenShown([&](TfrmOptions *o) {
        type(o->Edit1(), typed);
        // The pupil looks for the folder in another window, then comes back.
        QWidget other;
        other.show();
        other.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
        EXPECT_EQ(o->Edit1()->text(), typed);
        other.close();
        o->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(o));
        EXPECT_EQ(o->Edit1()->text(), typed);
        QTest::mouseClick(o->cancelButton(), Qt::LeftButton);
    });
    w->acOptions()->trigger();
    EXPECT_TRUE(prompt.messages.isEmpty()) << qPrintable(prompt.messages.join(u'\n'));
}

TEST_F(OptionsWindow, StartUpAsksForAMissingIdeAndExplainsTheInstallWhenCancelled)
{
    storePath("/no/such/ide/");
    auto w = makeWindow();
    bool asked = false;
    whenShown([&](TfrmOptions *o) {
        asked = true;
        EXPECT_EQ(o->Edit1()->text(), u"/no/such/ide/"_s);
        QTest::mouseClick(o->cancelButton(), Qt::LeftButton);
    });
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_TRUE(asked);
    EXPECT_EQ(prompt.messages, QStringList{ArduinoToolchain::installMessage()});
}

TEST_F(OptionsWindow, StartUpWithAValidIdeAsksNothing)
{
    useStandInIde();
    auto w = makeWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
