// Writing the interpreter firmware: the checks before avrdude runs, its command line
// per board family, and what the pupil is told afterwards.
#include "support/ScriptedRunner.h"

#include "toolchain/FirmwareBurn.h"
#include "util/DebugLog.h"
#include "util/UserPrompt.h"
#include "util/VirtualClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FirmwareBurnTest : public ::testing::Test {
protected:
    FirmwareBurnTest() : burn(runner, clock, log, prompt) {}

    void put(const QString &name, QFileDevice::Permissions extra = {})
    {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(":00000001FF\n");
        f.close();
        if (extra)
            f.setPermissions(f.permissions() | extra);
    }
    FirmwareBurn::Settings settings(const QString &family = u"Uno"_s, const QString &port = u"/dev/ttyUSB0"_s)
    {
        return {folder.path(), family, port, u"/etc/avrdude.conf"_s, {}};
    }
    FirmwareBurn::Sink sink()
    {
        return {[this](const QString &l) { shown << u"line:"_s + l; }, [this](const QString &t) { shown << t; },
                [this](bool ok) { outcome = ok; }};
    }
    QString path(const QString &name) { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    ScriptedRunner runner;
    VirtualClock clock;
    MemoryDebugLog log;
    RecordingUserPrompt prompt;
    FirmwareBurn burn;
    QStringList shown;
    std::optional<bool> outcome;
};

struct FamilyCase {
    const char *name;
    const char *family;
    const char *part;
    const char *programmer;
};

class FirmwareBurnCommand : public FirmwareBurnTest, public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(FirmwareBurnCommand, PartAndProgrammerFollowTheBoardFamily)
{
    const QString family = QString::fromLatin1(GetParam().family);
    const FirmwareBurn::Command c = FirmwareBurn::command(settings(family));
    const QString hex = path(u"Morvane.ino."_s + family + u".hex"_s);
    EXPECT_EQ(c.arguments, (QStringList{u"-C/etc/avrdude.conf"_s, u"-v"_s, QString::fromLatin1(GetParam().part),
                                        QString::fromLatin1(GetParam().programmer), u"-P/dev/ttyUSB0"_s,
                                        u"-b115200"_s, u"-D"_s, u"-Uflash:w:"_s + hex + u":i"_s}));
    EXPECT_EQ(c.shown, u"\""_s + c.program + u"\" -C\"/etc/avrdude.conf\" -v "_s + QString::fromLatin1(GetParam().part)
                           + u' ' + QString::fromLatin1(GetParam().programmer)
                           + u" -P/dev/ttyUSB0 -b115200 -D -Uflash:w:\""_s + hex + u"\":i"_s);
}

// The Nano's board family is "Uno": it gets the Uno's file and options.
INSTANTIATE_TEST_SUITE_P(Families, FirmwareBurnCommand,
                         ::testing::Values(FamilyCase{"UnoAndNano", "Uno", "-patmega328p", "-carduino"},
                                           FamilyCase{"Mega", "Mega", "-patmega2560", "-cwiring"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FirmwareBurnTest, AvrdudeAndItsConfigurationFromTheFirmwareFolderComeFirst)
{
    EXPECT_NE(FirmwareBurn::command(settings()).program, path(u"avrdude"_s));
    put(u"avrdude"_s, QFileDevice::ExeOwner);
    put(u"avrdude.conf"_s);
    const FirmwareBurn::Command c = FirmwareBurn::command(settings());
    EXPECT_EQ(c.program, path(u"avrdude"_s));
    EXPECT_EQ(c.arguments.first(), u"-C"_s + path(u"avrdude.conf"_s));
}

TEST_F(FirmwareBurnTest, NoPortOrNoFirmwareFileStopsBeforeAvrdude)
{
    put(u"Morvane.ino.Uno.hex"_s);
    EXPECT_FALSE(burn.BurnFirmware(settings(u"Uno"_s, QString()), sink()));
    EXPECT_FALSE(burn.BurnFirmware(settings(u"Mega"_s), sink()));
    EXPECT_EQ(prompt.messages,
              (QStringList{u"You must have a Com Port selected!!!"_s,
                           u"Το αρχείο δεν υπάρχει!!! \r\n"_s + path(u"Morvane.ino.Mega.hex"_s)
                               + u"\r\nΗ διαδικασία ακυρώθηκε."_s}));
    EXPECT_TRUE(runner.program.isEmpty());
    EXPECT_FALSE(outcome.has_value());
}

struct OutcomeCase {
    const char *name;
    bool started;
    int exitCode;
    const char16_t *output;
    bool burnt;
};

class FirmwareBurnOutcome : public FirmwareBurnTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(FirmwareBurnOutcome, ExitCodeAndConfirmationDecideWhatThePupilIsTold)
{
    put(u"Morvane.ino.Uno.hex"_s);
    runner.started = GetParam().started;
    runner.exitCode = GetParam().exitCode;
    const QString output = QString::fromUtf16(GetParam().output);
    runner.chunks = {output};
    ASSERT_TRUE(burn.BurnFirmware(settings(), sink()));
    const FirmwareBurn::Command c = FirmwareBurn::command(settings());
    EXPECT_EQ(runner.program, c.program);
    EXPECT_EQ(runner.arguments, c.arguments);
    EXPECT_EQ(shown, (QStringList{u"line:"_s + c.shown, output}));
    EXPECT_EQ(outcome, GetParam().burnt);
    ASSERT_EQ(prompt.messages.size(), 1);
    ASSERT_EQ(log.lines.size(), 2);
    EXPECT_EQ(log.lines.front(), c.shown);
    if (GetParam().burnt)
        EXPECT_EQ(prompt.messages.front(), u"Burning Complete!!!"_s);
    else if (GetParam().started)
        EXPECT_TRUE(prompt.messages.front().startsWith(u"Η εγγραφή του λογισμικού στο Arduino απέτυχε."_s))
            << qPrintable(prompt.messages.front());
    else
        EXPECT_EQ(prompt.messages.front(), FirmwareBurn::notStartedMessage(c.program));
    EXPECT_EQ(log.lines.back(), prompt.messages.front());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FirmwareBurnOutcome,
    ::testing::Values(OutcomeCase{"Written", true, 0, u"avrdude: 1024 bytes of flash verified\n", true},
                      OutcomeCase{"AvrdudeFailed", true, 1, u"avrdude: writing flash\n", false},
                      // Ended well, but no word from avrdude that the flash holds the firmware.
                      OutcomeCase{"ExitZeroWithoutConfirmation", true, 0, u"avrdude: writing flash\n", false},
                      OutcomeCase{"AvrdudeMissing", false, -1, u"", false}),
    [](const auto &info) { return std::string(info.param.name); });

// avrdude's real outputs (tests/data/toolchain, burn_*), read as the burn reads them.
struct CapturedBurn {
    const char *file;
    WatchedRun::Stop stop;  // how the program's own watch ended the run
    bool burnt;
    QString piece;  // of the message
};

void PrintTo(const CapturedBurn &c, std::ostream *os)
{
    *os << c.file;
}

class CapturedBurnOutput : public FirmwareBurnTest, public ::testing::WithParamInterface<CapturedBurn> {};

TEST_P(CapturedBurnOutput, IsUnderstood)
{
    const CapturedBurn &c = GetParam();
    const QString base = QStringLiteral(TEST_DATA_DIR "/toolchain/") + QLatin1String(c.file);
    QFile out(base + u".out"_s), code(base + u".exit"_s);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly) && code.open(QIODevice::ReadOnly)) << qPrintable(base);
    put(u"Morvane.ino.Uno.hex"_s);
    runner.chunks = {QString::fromUtf8(out.readAll())};
    runner.exitCode = code.readAll().trimmed().toInt();
    runner.hold = c.stop != WatchedRun::Stop::None;
    FirmwareBurn::Settings s = settings(u"Uno"_s, u"/tmp/vimsel-toolchain/ttySIM"_s);
    ASSERT_TRUE(burn.BurnFirmware(s, sink()));
    if (c.stop == WatchedRun::Stop::Cancelled)
        burn.cancel();
    if (c.stop == WatchedRun::Stop::Stalled)
        clock.advance(s.limits.uploadMs + 2 * WatchedRun::CheckEveryMs);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(*outcome, c.burnt);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(c.piece)) << qPrintable(prompt.messages[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Debian, CapturedBurnOutput,
    ::testing::Values(CapturedBurn{"burn_ok", WatchedRun::Stop::None, true, u"Burning Complete!!!"_s},
                      CapturedBurn{"burn_gone", WatchedRun::Stop::Stalled, false, u"χάθηκε"_s},
                      CapturedBurn{"burn_silent", WatchedRun::Stop::None, false, u"δεν απαντά"_s},
                      CapturedBurn{"burn_busy", WatchedRun::Stop::None, false, u"άλλο πρόγραμμα"_s},
                      CapturedBurn{"burn_denied", WatchedRun::Stop::None, false, u"dialout"_s},
                      CapturedBurn{"burn_missing", WatchedRun::Stop::None, false, u"δεν υπάρχει"_s},
                      CapturedBurn{"burn_ok", WatchedRun::Stop::Cancelled, false, u"ακυρώθηκε"_s}),
    [](const auto &info) {
        return std::string(info.param.file) + (info.param.stop == WatchedRun::Stop::Cancelled ? "_cancelled" : "");
    });

} // namespace
