#include "checks/CheckTestSupport.h"

#include "checks/ProjectChecks.h"
#include "devices/DeviceTypes.h"
#include "project/ProjectFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// Every example and lesson project under examples/, found anew on each run so that
// added lessons are covered: it passes without findings, or its findings are the
// point it teaches, written beside it as PROJECT.checks exactly as
// "vimsel-sketch --check" prints them.
TEST(ExampleProjects, PassTheChecksOrNameWhatTheyTeach)
{
    QDirIterator it(QStringLiteral(EXAMPLES_DIR), {u"*.vzl"_s}, QDir::Files, QDirIterator::Subdirectories);
    int seen = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        ++seen;
        FixedTextMeasurer measurer;
        NullDebugLog log;
        RecordingUserPrompt prompt;
        Project project(&measurer, &log, &prompt);
        project.buildPalette();
        ASSERT_TRUE(ProjectFiles::loadProject(project, file).ok) << qPrintable(file);
        QString found;
        for (const Finding &f : ProjectChecks::run(project))
            found += f.line() + u'\n';
        QString taught;
        QFile expected(file.chopped(4) + u".checks"_s);
        if (expected.open(QIODevice::ReadOnly))
            taught = QString::fromUtf8(expected.readAll());
        EXPECT_EQ(found, taught) << qPrintable(file);
    }
    EXPECT_GE(seen, 3);
}

class ProjectChecksTest : public ProjectFixture {
protected:
    CheckScene scene{project, pb};
};

// A project with something for every rule (but the robot's speed on a pin without
// PWM: a project has one robot, whose speed pin here is the servo's timer's): errors
// come first, every text is complete (no placeholder left) and names a subject.
TEST_F(ProjectChecksTest, EveryRuleSpeaksAndErrorsComeFirst)
{
    scene.device(DeviceTypes::Servo, {9});
    scene.device(DeviceTypes::Laser, {9});
    scene.device(DeviceTypes::ANIN, {7});
    scene.device(DeviceTypes::LCD_Serial);
    scene.device(DeviceTypes::ROBOT, {4, 5, 8, 12, 7, 1, 10});
    scene.device(DeviceTypes::Sound);
    scene.variable(u"Φως"_s);
    scene.variable(u"Φος"_s);
    scene.start();
    scene.write(13);
    scene.configure(12);
    scene.read(12);
    scene.write(9);
    scene.write(18);
    scene.write(30);
    scene.wait(-1);
    scene.add(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s);
    scene.variableInSlot1(scene.wait(100), u"Φως"_s);
    scene.add(u"%pd → Κινητήρας Μπροστά"_s);
    scene.loose(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s);

    const QList<Finding> found = ProjectChecks::run(project);
    QSet<QString> rules;
    bool warningSeen = false;
    const QRegularExpression placeholder(u"%\\d"_s);
    for (const Finding &f : found) {
        rules.insert(f.rule);
        if (!f.isError())
            warningSeen = true;
        EXPECT_FALSE(f.isError() && warningSeen) << "an error after a warning: " << qPrintable(f.text);
        EXPECT_FALSE(f.text.isEmpty());
        EXPECT_FALSE(placeholder.match(f.text).hasMatch()) << qPrintable(f.text);
        EXPECT_FALSE(f.name.isEmpty()) << qPrintable(f.text);
    }
    EXPECT_EQ(rules, (QSet<QString>{u"variable-name"_s, u"missing-variable"_s, u"missing-device"_s, u"pin-missing"_s,
                                    u"analogue-pin"_s, u"usb-pin"_s, u"pin-not-output"_s, u"pin-read-output"_s,
                                    u"pin-shared-devices"_s, u"pin-used-by-device"_s, u"i2c-pin"_s, u"servo-pwm"_s,
                                    u"interrupt-pin"_s, u"negative-wait"_s, u"variable-never-set"_s,
                                    u"loose-blocks"_s}));
    EXPECT_TRUE(ProjectChecks::hasErrors(found));
}

TEST_F(ProjectChecksTest, TheObviousFirstProgramIsTold)
{
    scene.start();
    auto *loop = scene.loopForever();
    scene.write(13, true, loop);
    scene.wait(500, loop);
    scene.write(13, false, loop);
    scene.wait(500, loop);
    const QList<Finding> found = ProjectChecks::run(project);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].line(),
              u"Προσοχή: block «Θέσε το pin 13 σε 1 (high=5 Volt)» (keloBlock__4): Το pin 13 δεν έχει διαμορφωθεί "
              u"για έξοδο πριν από αυτό το block, γι' αυτό ό,τι είναι συνδεδεμένο εκεί (ένα LED, για παράδειγμα) "
              u"θα ανάβει πολύ αμυδρά ή καθόλου. Βάλε πιο πάνω στο πρόγραμμα το block «Διαμόρφωσε το pin 13 για "
              u"έξοδο»."_s);
    EXPECT_FALSE(ProjectChecks::hasErrors(found));
}

} // namespace
