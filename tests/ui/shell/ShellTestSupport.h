#pragma once

#include "shell/TfrmVimsel.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

// Main windows whose settings live in a temporary folder (the user's real settings
// are never touched), with a prompt that records and answers, and file dialogs that
// return preset names.
class ShellTest : public ::testing::Test {
protected:
    ShellTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    std::unique_ptr<TfrmVimsel> makeWindow()
    {
        auto w = std::make_unique<TfrmVimsel>(measurer, &prompt);
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

    QTemporaryDir settingsDir;
    QTemporaryDir filesDir;
    FixedTextMeasurer measurer;
    RecordingUserPrompt prompt;
    QString openName;
    QString saveName;
    int openDialogs = 0;
    int saveDialogs = 0;
};
