#pragma once

#include "blocks/TKeloBlock.h"
#include "blocks/TKeloEdit.h"
#include "blocks/Workspace.h"
#include "program/BlockWidget.h"
#include "program/ProgramPage.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "shell/MainWindowBuilder.h"
#include "shell/TfrmVimsel.h"
#include "util/UserPrompt.h"
#include "shell/FakePorts.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QScrollArea>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// Main windows whose settings live in a temporary folder (the user's real settings
// are never touched), with a prompt that records and answers, file dialogs that
// return preset names, and serial ports of the test's choosing (one by default).
class ShellTest : public ::testing::Test {
protected:
    ShellTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    std::unique_ptr<TfrmVimsel> makeWindow(const QStringList &serialPorts = {u"/dev/ttyUSB0"_s})
    {
        auto w = buildMainWindow(&prompt, programDir.path(), ports.environment(serialPorts));
        win = w.get();
        w->setOpenFileChooser([this](const QString &) { ++openDialogs; return openName; });
        w->setSaveFileChooser([this](const QString &) { ++saveDialogs; return saveName; });
        return w;
    }
    // The window's geometry values as stored; -9999 when missing.
    static int stored(const QString &key)
    {
        QSettings s(u"Ombrinex"_s, u"Vimsel"_s);
        return s.value(u"MainForm/"_s + key, -9999).toInt();
    }
    static void store(const QString &key, int value)
    {
        QSettings s(u"Ombrinex"_s, u"Vimsel"_s);
        s.setValue(u"MainForm/"_s + key, value);
    }
    QString path(const QString &name) const { return filesDir.filePath(name); }

    // The IDE's folder in the options is the stand-in IDE of the tests.
    void useStandInIde()
    {
        QFile options(programDir.filePath(u"Options.ini"_s));
        ASSERT_TRUE(options.open(QIODevice::WriteOnly));
        options.write("[Arduino]\r\nPath=" TEST_DATA_DIR "/stand-in-ide\r\n");
    }

    // Opens a copy of an example project (its three files) through the window's
    // "Άνοιγμα" command; saving it later never touches the example itself.
    void openExample(const QString &name)
    {
        for (const char *ext : {".vzl", ".adv", ".var"}) {
            const QString from = QStringLiteral(EXAMPLES_DIR "/") + name + u'/' + name + QLatin1String(ext);
            QFile::remove(path(name + QLatin1String(ext)));
            ASSERT_TRUE(QFile::copy(from, path(name + QLatin1String(ext)))) << qPrintable(from);
        }
        openName = path(name + u".vzl"_s);
        win->acopen()->trigger();
        QCoreApplication::processEvents();
    }

    // Writes a program built with the core into the files folder and returns its
    // file name, for a test to open as a pupil opens a file.
    QString writeProgram(const QString &name, const std::function<void(ProgramBuilder &)> &build)
    {
        FixedTextMeasurer measurer;
        NullDebugLog log;
        RecordingUserPrompt quiet;
        Project project(&measurer, &log, &quiet);
        project.buildPalette();
        ProgramBuilder pb(project);
        build(pb);
        EXPECT_TRUE(ProjectFiles::saveProject(project, path(name)));
        return path(name);
    }

    // Clicks a block's first visible number field and types text over its number.
    TKeloEdit *typeNumber(const TKeloBlock *b, const QString &text)
    {
        TKeloEdit *edit = nullptr;
        for (TKeloEdit *e : widgetOf(b)->findChildren<TKeloEdit *>())
            if (e->isVisible() && e->NumbersOnly())
                edit = e;
        EXPECT_NE(edit, nullptr) << qPrintable(b->CommandText());
        if (!edit)
            return nullptr;
        // The click selects the whole number, so the typing replaces it.
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_TRUE(edit->EditMode());
        QTest::keyClicks(edit->lineEdit(), text);
        return edit;
    }

    Workspace &ws() { return win->project().workspace(); }
    QWidget *viewport() { return win->programPage()->canvasArea()->viewport(); }
    BlockWidget *widgetOf(const TKeloBlock *b)
    {
        for (BlockWidget *w : win->findChildren<BlockWidget *>())
            if (w->block() == b)
                return w;
        return nullptr;
    }
    TKeloBlock *prototype(const QString &text)
    {
        for (TKeloBlock *b : ws().components())
            if (b->prototype() && b->CommandText() == text)
                return b;
        return nullptr;
    }
    // Presses on w at grab, moves the pointer so that the block's corner lands on the
    // canvas point target (viewport coordinates), and releases.
    void dragTo(BlockWidget *w, QPoint grab, QPoint target)
    {
        QTest::mousePress(w, Qt::LeftButton, {}, grab);
        const QPoint at = w->mapFromGlobal(viewport()->mapToGlobal(target + grab));
        QTest::mouseMove(w, at);
        QTest::mouseMove(w, at);  // the first move brings a fresh copy onto the canvas
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    // Drags a copy of the prototype with the given command text from its palette tab
    // to the canvas point target; returns the placed copy (nullptr when none stayed).
    TKeloBlock *dragFromPalette(const QString &text, QPoint target)
    {
        TKeloBlock *proto = prototype(text);
        EXPECT_NE(proto, nullptr) << qPrintable(text);
        if (!proto)
            return nullptr;
        win->programPage()->findChild<QTabWidget *>()->setCurrentIndex(proto->DeviceOnlyCommandID() >= 0 ? 1 : 0);
        QCoreApplication::processEvents();
        BlockWidget *w = widgetOf(proto);
        EXPECT_NE(w, nullptr);
        if (!w)
            return nullptr;
        std::vector<const TKeloBlock *> before(ws().canvas().children().begin(), ws().canvas().children().end());
        dragTo(w, QPoint(8, 12), target);
        for (TKeloBlock *b : ws().canvas().children())
            if (!b->prototype() && b->CommandText() == text
                && std::find(before.begin(), before.end(), b) == before.end())
                return b;
        return nullptr;
    }

    QTemporaryDir settingsDir;
    QTemporaryDir programDir;  // the program's writable folder: "Out", "Options.ini"
    QTemporaryDir filesDir;
    RecordingUserPrompt prompt;
    FakePorts ports;  // of the window made last
    QString openName;
    QString saveName;
    int openDialogs = 0;
    int saveDialogs = 0;
    TfrmVimsel *win = nullptr;  // the window made last
};
