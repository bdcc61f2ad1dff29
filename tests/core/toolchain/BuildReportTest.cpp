// What a run of the IDE came to, from its exit code and output, and what the pupil is
// told about it.
#include "toolchain/BuildReport.h"

#include <QFile>
#include <QTemporaryFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Outcome = BuildReport::Outcome;
using Problem = BuildReport::UploadProblem;

struct ReportCase {
    const char *name;
    bool upload;
    int exitCode;
    QString output;
    Outcome outcome;
    Problem problem;
    int errorLine;      // 0: no compile error expected
    QString hintPiece;  // a piece of the Greek explanation
};

void PrintTo(const ReportCase &c, std::ostream *os)
{
    *os << c.name;
}

class BuildReports : public ::testing::TestWithParam<ReportCase> {};

TEST_P(BuildReports, TellWhatCameOfTheRun)
{
    const ReportCase &c = GetParam();
    // Lines 1..20 of the sketch; line 14 comes from the wait block.
    QStringList lineBlocks(20);
    lineBlocks[13] = u"keloBlock__7"_s;
    const BuildReport r = BuildReport::analyse(c.upload, true, c.exitCode, c.output, lineBlocks, u"/dev/ttyUSB0"_s);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.problem, c.problem);
    if (c.errorLine) {
        ASSERT_TRUE(r.error);
        EXPECT_EQ(r.error->line, c.errorLine);
        EXPECT_EQ(r.error->blockName, c.errorLine == 14 ? u"keloBlock__7"_s : QString());
    } else {
        EXPECT_FALSE(r.error);
    }
    const QString message = r.message(u"Περίμενε 500 χιλιοστά δευτερολέπτου"_s);
    EXPECT_TRUE(message.contains(c.hintPiece)) << qPrintable(message);
}

const QString verifyOk = u"Verifying...\nSketch uses 918 bytes (2%) of program storage space.\n"_s;

INSTANTIATE_TEST_SUITE_P(
    Outputs, BuildReports,
    ::testing::Values(
        ReportCase{"Uploaded", true, 0, verifyOk + u"avrdude: 918 bytes of flash verified\n"_s, Outcome::Uploaded,
                   Problem::None, 0, u"στάλθηκε στο Arduino"_s},
        ReportCase{"CheckedOnly", false, 0, verifyOk, Outcome::CompiledOnly, Problem::None, 0, u"«Port:»"_s},
        ReportCase{"UndeclaredNameAsTheIdeShowsIt", true, 1,
                   u"/tmp/x/Out/Output.ino: In function ‘void loop()’:\nOutput:14:19: error: ‘Metritis2’ was not "
                   u"declared in this scope\n       delay(500); Metritis2 = 1;\nexit status 1\n"_s,
                   Outcome::CompileFailed, Problem::None, 14, u"«Metritis2»"_s},
        ReportCase{"UndeclaredNameInTheBuildCopy", false, 1,
                   u"/tmp/arduino_modified_sketch_5/Output.ino:14:7: error: 'x' was not declared in this scope\n"_s,
                   Outcome::CompileFailed, Problem::None, 14, u"«Περίμενε 500 χιλιοστά δευτερολέπτου»"_s},
        ReportCase{"MissingLibrary", true, 1,
                   u"Output:3:10: fatal error: KeloServo.h: No such file or directory\ncompilation terminated.\n"_s,
                   Outcome::CompileFailed, Problem::None, 3, u"«KeloServo.h»"_s},
        ReportCase{"TextWhereANumberGoes", true, 1,
                   u"Output:14:11: error: invalid conversion from 'const char*' to 'int' [-fpermissive]\n"_s,
                   Outcome::CompileFailed, Problem::None, 14, u"δεν χωράει ή δεν ταιριάζει"_s},
        ReportCase{"BoardDoesNotAnswer", true, 1,
                   verifyOk + u"avrdude: stk500_recv(): programmer is not responding\navrdude: stk500_getsync() attempt 1 "
                              u"of 10: not in sync: resp=0x00\nProblem uploading to board.\n"_s,
                   Outcome::UploadFailed, Problem::NoAnswer, 0, u"δεν απαντά"_s},
        ReportCase{"PortMissing", true, 1,
                   verifyOk + u"avrdude: ser_open(): can't open device \"/dev/ttyUSB0\": No such file or directory\n"_s,
                   Outcome::UploadFailed, Problem::PortMissing, 0, u"«/dev/ttyUSB0» δεν υπάρχει"_s},
        ReportCase{"PortBusy", true, 1,
                   verifyOk + u"avrdude: ser_open(): can't open device \"/dev/ttyUSB0\": Device or resource busy\n"_s,
                   Outcome::UploadFailed, Problem::PortBusy, 0, u"άλλο πρόγραμμα"_s},
        ReportCase{"NoPermission", true, 1,
                   verifyOk + u"avrdude: ser_open(): can't open device \"/dev/ttyUSB0\": Permission denied\n"_s,
                   Outcome::UploadFailed, Problem::PermissionDenied, 0, u"dialout"_s},
        // Nothing points at the pupil's program: the IDE itself failed.
        ReportCase{"CompileFailedWithoutALine", false, 1, u"Error compiling for board Arduino Uno.\n"_s,
                   Outcome::IdeFailed, Problem::None, 0, u"δεν βρέθηκε σε κάποια εντολή"_s},
        ReportCase{"UploadFailedBeforeUploading", true, 1, u"Error compiling for board Arduino Uno.\n"_s,
                   Outcome::IdeFailed, Problem::None, 0, u"«Arduino Κώδικας»"_s},
        // The IDE ends with 0 and its usual last lines even when avrdude never wrote;
        // the port is not there any more.
        ReportCase{"ExitZeroWithoutConfirmationThePortGone", true, 0,
                   verifyOk + u"Uploading...\navrdude: Device signature = 0x1e950f\n"_s, Outcome::UploadFailed,
                   Problem::PortGone, 0, u"χάθηκε"_s},
        ReportCase{"BoardGoneDuringTheWrite", true, 0,
                   verifyOk + u"Uploading...\navrdude: writing flash\navrdude OS error: ioctl(\"TIOCMGET\"): "
                              u"Input/output error\n"_s,
                   Outcome::UploadFailed, Problem::PortGone, 0, u"χάθηκε"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// Outputs of Debian's IDE and avrdude, captured on this kind of machine
// (tests/data/toolchain/README says how). stop: how the program's own watch ended the
// run, where it would have (a board gone leaves avrdude silent for good).
struct CapturedCase {
    const char *name;
    const char *file;
    bool upload;
    QString port;
    WatchedRun::Stop stop;
    Outcome outcome;
    Problem problem;
    int errorLine;
    QString hintPiece;
};

void PrintTo(const CapturedCase &c, std::ostream *os)
{
    *os << c.name;
}

class CapturedOutputs : public ::testing::TestWithParam<CapturedCase> {};

TEST_P(CapturedOutputs, AreUnderstood)
{
    const CapturedCase &c = GetParam();
    const QString base = QStringLiteral(TEST_DATA_DIR "/toolchain/") + QLatin1String(c.file);
    QFile out(base + u".out"_s), code(base + u".exit"_s);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly) && code.open(QIODevice::ReadOnly)) << qPrintable(base);
    WatchedRun::End end;
    end.started = true;
    end.exitCode = code.readAll().trimmed().toInt();
    end.stop = c.stop;
    end.stallLimitMs = c.stop == WatchedRun::Stop::Stalled ? 90000 : 0;
    const BuildReport r = BuildReport::analyse(c.upload, end, QString::fromUtf8(out.readAll()), QStringList(30), c.port);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.problem, c.problem);
    EXPECT_EQ(r.error ? r.error->line : 0, c.errorLine);
    EXPECT_TRUE(r.message(u"Περίμενε 500 χιλιοστά δευτερολέπτου"_s).contains(c.hintPiece))
        << qPrintable(r.message());
}

const QString noPort = u"/dev/ttyUSB9"_s;
// The captures' ports are gone once the captures are over, as a board that went away.
const QString simPort = u"/tmp/vimsel-toolchain/ttySIM"_s;
using Stop = WatchedRun::Stop;

INSTANTIATE_TEST_SUITE_P(
    Debian, CapturedOutputs,
    ::testing::Values(
        CapturedCase{"upload_ok", "upload_ok", true, simPort, Stop::None, Outcome::Uploaded, Problem::None, 0,
                     u"στάλθηκε"_s},
        // The IDE ended before passing on avrdude's "verified": written, exit 0.
        CapturedCase{"upload_ok_cut", "upload_ok_cut", true, simPort, Stop::None, Outcome::Uploaded, Problem::None,
                     0, u"στάλθηκε"_s},
        CapturedCase{"verify_ok", "verify_ok", false, {}, Stop::None, Outcome::CompiledOnly, Problem::None, 0,
                     u"δεν έχει επιλεγεί πόρτα"_s},
        CapturedCase{"error_undeclared", "error_undeclared", false, {}, Stop::None, Outcome::CompileFailed,
                     Problem::None, 10, u"«Metritis2»"_s},
        CapturedCase{"error_missing_header", "error_missing_header", false, {}, Stop::None, Outcome::CompileFailed,
                     Problem::None, 2, u"«NoSuchLib.h»"_s},
        CapturedCase{"wrong_type_warning", "wrong_type_warning", false, {}, Stop::None, Outcome::CompiledOnly,
                     Problem::None, 0, u"σωστό"_s},
        CapturedCase{"port_missing", "port_missing", true, noPort, Stop::None, Outcome::UploadFailed,
                     Problem::PortMissing, 0, u"δεν υπάρχει"_s},
        CapturedCase{"port_missing_cut", "port_missing_cut", true, noPort, Stop::None, Outcome::UploadFailed,
                     Problem::PortMissing, 0, u"δεν υπάρχει"_s},
        CapturedCase{"port_silent", "port_silent", true, simPort, Stop::None, Outcome::UploadFailed,
                     Problem::NoAnswer, 0, u"δεν απαντά"_s},
        CapturedCase{"port_denied", "port_denied", true, simPort, Stop::None, Outcome::UploadFailed,
                     Problem::PermissionDenied, 0, u"dialout"_s},
        CapturedCase{"port_busy", "port_busy", true, simPort, Stop::None, Outcome::UploadFailed, Problem::PortBusy, 0,
                     u"άλλο πρόγραμμα"_s},
        CapturedCase{"group_dialog", "group_dialog", true, simPort, Stop::None, Outcome::UploadFailed,
                     Problem::PermissionDenied, 0, u"sudo usermod -aG dialout"_s},
        // The board vanished during the write: the program's limit ends the silence...
        CapturedCase{"port_gone_stalled", "port_gone", true, simPort, Stop::Stalled, Outcome::Stalled,
                     Problem::PortGone, 0, u"χάθηκε"_s},
        // ...and even the IDE's own end, exit 0 after five minutes, is no success.
        CapturedCase{"port_gone_ide_gave_up", "port_gone", true, simPort, Stop::None, Outcome::UploadFailed,
                     Problem::PortGone, 0, u"χάθηκε"_s},
        CapturedCase{"port_busy_cancelled", "port_busy", true, simPort, Stop::Cancelled, Outcome::Cancelled,
                     Problem::None, 0, u"ακυρώθηκε"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BuildReport, AProgramThatDidNotStartSaysWhereToLook)
{
    const BuildReport r = BuildReport::analyse(true, false, -1, QString(), {});
    EXPECT_EQ(r.outcome, Outcome::NotStarted);
    EXPECT_FALSE(r.succeeded());
    EXPECT_TRUE(r.message().contains(u"«Επιλογές»"_s));
}

TEST(BuildReport, ExitZeroWithoutConfirmationOnAPortStillThereIsNoSuccess)
{
    QTemporaryFile port;
    ASSERT_TRUE(port.open());
    const BuildReport r = BuildReport::analyse(true, true, 0, u"Uploading...\navrdude: writing flash\n"_s, {},
                                               port.fileName());
    EXPECT_EQ(r.outcome, Outcome::UploadFailed);
    EXPECT_EQ(r.problem, Problem::NotConfirmed);
    EXPECT_TRUE(r.message().contains(u"δεν επιβεβαίωσε"_s));
}

TEST(BuildReport, ARunThatWasEndedSaysHowWhateverItPrinted)
{
    WatchedRun::End end;
    end.started = true;
    end.exitCode = 0;
    end.stop = WatchedRun::Stop::Cancelled;
    const QString output = u"Uploading...\navrdude: 918 bytes of flash verified\n"_s;
    BuildReport r = BuildReport::analyse(true, end, output, {}, u"/dev/ttyUSB0"_s);
    EXPECT_EQ(r.outcome, Outcome::Cancelled);
    EXPECT_FALSE(r.succeeded());
    end.stop = WatchedRun::Stop::Stalled;
    end.stallLimitMs = 90000;
    QTemporaryFile port;
    ASSERT_TRUE(port.open());
    r = BuildReport::analyse(true, end, output, {}, port.fileName());
    EXPECT_EQ(r.outcome, Outcome::Stalled);
    EXPECT_TRUE(r.message().contains(u"Για 90 δευτερόλεπτα"_s)) << qPrintable(r.message());
    EXPECT_TRUE(r.message().contains(u"συνδεδεμένη"_s)) << qPrintable(r.message());
    // A port that went away while the uploader waited on it is named as the cause.
    r = BuildReport::analyse(true, end, output, {}, u"/dev/ttyUSB0"_s);
    EXPECT_EQ(r.problem, Problem::PortGone);
    EXPECT_TRUE(r.message().contains(u"χάθηκε"_s)) << qPrintable(r.message());
}

TEST(BuildReport, AnErrorLineBeyondTheSketchPointsAtNoBlock)
{
    const BuildReport r =
        BuildReport::analyse(true, true, 1, u"Output:99:1: error: expected ';'\n"_s, QStringList(20, u"b"_s));
    ASSERT_TRUE(r.error);
    EXPECT_TRUE(r.error->blockName.isEmpty());
}

} // namespace
