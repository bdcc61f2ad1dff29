// Builds the finished program of every lesson that has one, as a pupil would build it,
// and writes it as an example project with its sketch:
//
//   lesson-examples <examples/lessons folder> <Lessons folder>
//
// writes <examples/lessons>/<name>/<name>.{vzl,adv,var,ino} and puts each program,
// drawn as the lessons draw programs, between the lines "<!-- program: <name> -->" and
// "<!-- /program -->" of its lesson. It also writes the fallback document "Error.mht"
// with the lessons' style sheet inside it (an archive cannot reach other files). Run it
// by hand after changing a program, the fallback text or the style sheet and commit
// what it wrote; the tests check that lessons, projects and sketches agree.
#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "codegen/SketchGenerator.h"
#include "devices/DeviceTypes.h"
#include "lessons/LessonProgram.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "project/SketchCommand.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"
#include "variables/TArduVariables.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The kinds of the set-up windows' lists.
constexpr int LaserKind = 0, LedKind = 1;
constexpr int ButtonKind = 0, LaserDetectorKind = 1, LightDetectorKind = 2;
constexpr int SoilMoistureKind = 0;
// The comparisons of a condition's list.
constexpr int Greater = 0, Less = 1;
constexpr int Is = 0, IsNot = 1;

class Lesson {
public:
    Lesson() : project(&measurer, &log, &prompt), pb(project) { project.buildPalette(); }

    // A device with its set-up window's parameters (pins first); returns its position.
    int device(int type, std::vector<int> params)
    {
        const int pos = project.devices().AddDevice(type, &prompt);
        for (std::size_t i = 0; i < params.size(); ++i)
            project.devices().SetParam(pos, int(i) + 1, params[i]);
        return pos;
    }
    void variable(const QString &name) { project.variables().Newvar(name); }

    TKeloBlock *start()
    {
        TKeloBlock *b = block(u"Έναρξη προγράμματος"_s);
        b->SetBounds(90, 70, b->Width(), b->Height());
        return b;
    }
    // A general block with its first two numbers.
    TKeloBlock *block(const QString &text, std::optional<int> p1 = {}, std::optional<int> p2 = {})
    {
        TKeloBlock *proto = pb.prototype(text);
        if (!proto)
            fail(u"no block \""_s + text + u'"');
        TKeloBlock *b = pb.place(proto);
        if (p1)
            b->SetParam1(*p1);
        if (p2)
            b->SetParam2(*p2);
        return b;
    }
    // A block of a device type's palette, bound to the k-th device of that type.
    TKeloBlock *deviceBlock(int type, const QString &text, int k = 0)
    {
        for (TKeloBlock *proto : project.workspace().components()) {
            if (!proto->prototype() || proto->DeviceOnlyCommandID() != type || proto->CommandText() != text)
                continue;
            TKeloBlock *b = pb.place(proto);
            if (text.contains(u"%pd"_s))
                b->DeviceComboChange(k);
            return b;
        }
        fail(u"no device block \""_s + text + u'"');
        return nullptr;
    }
    TKeloControlElseBlock *condition(TKeloBlock *b, int comparison, std::optional<int> value = {})
    {
        auto *c = static_cast<TKeloControlElseBlock *>(b);
        c->CompareListChange(comparison);
        if (value)
            c->SetParam2(*value);
        return c;
    }
    TKeloCommandVarBlock *setVariable(const QString &text, const QString &name)
    {
        auto *b = static_cast<TKeloCommandVarBlock *>(block(text));
        for (int i = 0; i < project.variables().count(); ++i)
            if (TArduVariables::SameVarName(project.variables().GetArduVar(i)->VarName, name))
                b->VarComboChange(i);
        return b;
    }
    TKeloLoopBlock *loop(TKeloBlock *b) { return static_cast<TKeloLoopBlock *>(b); }

    [[noreturn]] static void fail(const QString &why)
    {
        std::fprintf(stderr, "lesson-examples: %s\n", qPrintable(why));
        std::exit(2);
    }

    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project;
    ProgramBuilder pb;
};

const QString On = u"%pd → Ενεργοποίησε το Laser/LED "_s;
const QString Off = u"%pd → Απενεργοποίησε το Laser/LED "_s;
const QString Wait = u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s;
const QString Forever = u"Επανάλαβε συνεχώς"_s;
const QString Repeat = u"Επανάλαβε %p1 φορές"_s;
const QString End = u"Τερματισμός προγράμματος"_s;
const QString PinHigh = u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s;
const QString PinLow = u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s;
const QString PinOutput = u"Διαμόρφωσε το pin %p1 για έξοδο"_s;
const QString Pressed = u"%pd → Εάν %p1 πατήθηκε ο διακόπτης"_s;
const QString Activated = u"%pd → Εάν %p1 ενεργοποιήθηκε η συσκευή"_s;
const QString Tone = u"%pd → Παίξε ήχο με συχνότητα %p1 και διάρκεια %p2"_s;
const QString LcdClear = u"Καθάρισε την LCD"_s;
const QString LcdCursor = u"Θέσε τον δείκτη LCD [ %p1 , %p2 ]"_s;
const QString LcdText = u"Τύπωσε στην LCD κείμενο %ps "_s;
const QString LcdTextNumber = u"Τύπωσε στην LCD κείμενο και αριθμό %ps %p1"_s;
const QString LcdNumber = u"Τύπωσε στην LCD αριθμό %p1 "_s;

// ---- Devices ------------------------------------------------------------------------

void led(Lesson &l)
{
    l.device(DeviceTypes::Laser, {13, LedKind});
    TKeloBlock *x = l.pb.below(l.start(), l.deviceBlock(DeviceTypes::Laser, On));
    x = l.pb.below(x, l.block(Wait, 3000));
    x = l.pb.below(x, l.deviceBlock(DeviceTypes::Laser, Off));
    l.pb.below(x, l.block(End));
}

void laser(Lesson &l)
{
    l.device(DeviceTypes::Laser, {12, LaserKind});
    auto *times = l.loop(l.pb.below(l.start(), l.block(Repeat, 5)));
    l.pb.intoBody(times, l.deviceBlock(DeviceTypes::Laser, On));
    l.pb.intoBody(times, l.block(Wait, 200));
    l.pb.intoBody(times, l.deviceBlock(DeviceTypes::Laser, Off));
    l.pb.intoBody(times, l.block(Wait, 800));
    l.pb.after(times, l.block(End));
}

// A digital sensor lights the board's own LED on pin 13 while it reports.
void digitalSensorLightsPin13(Lesson &l, int kind, int pin, const QString &test)
{
    l.device(DeviceTypes::Switch, {pin, kind});
    TKeloBlock *x = l.pb.below(l.start(), l.block(PinOutput, 13));
    auto *always = l.loop(l.pb.below(x, l.block(Forever)));
    auto *when = l.condition(l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Switch, test)), Is);
    l.pb.intoBody(when, l.block(PinHigh, 13));
    l.pb.intoElse(when, l.block(PinLow, 13));
}

void button(Lesson &l)
{
    digitalSensorLightsPin13(l, ButtonKind, 2, Pressed);
}

void lightSensor(Lesson &l)
{
    digitalSensorLightsPin13(l, LightDetectorKind, 3, Activated);
}

void soilMoisture(Lesson &l)
{
    l.device(DeviceTypes::ANIN, {14, SoilMoistureKind});
    TKeloBlock *x = l.pb.below(l.start(), l.block(PinOutput, 13));
    auto *always = l.loop(l.pb.below(x, l.block(Forever)));
    auto *dry = l.condition(
        l.pb.intoBody(always, l.deviceBlock(DeviceTypes::ANIN, u"%pd → Εάν η τιμή της συσκευής είναι %p1 %p2 "_s)),
        Greater, 700);
    l.pb.intoBody(dry, l.block(PinHigh, 13));
    l.pb.intoElse(dry, l.block(PinLow, 13));
}

void lcd(Lesson &l)
{
    l.device(DeviceTypes::LCD_Serial, {});
    TKeloBlock *x = l.pb.below(l.start(), l.deviceBlock(DeviceTypes::LCD_Serial, LcdClear));
    x = l.pb.below(x, l.deviceBlock(DeviceTypes::LCD_Serial, LcdCursor));
    x->SetParam1(3);
    x->SetParam2(0);
    x = l.pb.below(x, l.deviceBlock(DeviceTypes::LCD_Serial, LcdText));
    x->ParamStrEditChange(u"Γεια σου!"_s);
    x = l.pb.below(x, l.deviceBlock(DeviceTypes::LCD_Serial, LcdCursor));
    x->SetParam1(0);
    x->SetParam2(1);
    x = l.pb.below(x, l.deviceBlock(DeviceTypes::LCD_Serial, LcdText));
    x->ParamStrEditChange(u"Είμαι το Arduino"_s);
    l.pb.below(x, l.block(End));
}

void temperatureHumidity(Lesson &l)
{
    l.device(DeviceTypes::Temp, {4, 11});
    TKeloBlock *x = l.pb.below(l.start(), l.block(PinOutput, 13));
    auto *always = l.loop(l.pb.below(x, l.block(Forever)));
    auto *warm = l.condition(
        l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Temp, u"%pd → Εάν Θερμοκρασία είναι %p1 %p2 (°C)"_s)),
        Greater, 28);
    l.pb.intoBody(warm, l.block(PinHigh, 13));
    l.pb.intoElse(warm, l.block(PinLow, 13));
    l.pb.intoBody(always, l.block(Wait, 2000));
}

void ultrasonic(Lesson &l)
{
    l.device(DeviceTypes::UltraSonic, {6, 7});
    TKeloBlock *x = l.pb.below(l.start(), l.block(PinOutput, 13));
    auto *always = l.loop(l.pb.below(x, l.block(Forever)));
    auto *nearby = l.condition(
        l.pb.intoBody(always, l.deviceBlock(DeviceTypes::UltraSonic, u"%pd → Εάν απόσταση %p1 %p2 εκατοστά"_s)),
        Less, 20);
    l.pb.intoBody(nearby, l.block(PinHigh, 13));
    l.pb.intoElse(nearby, l.block(PinLow, 13));
    l.pb.intoBody(always, l.block(Wait, 100));
}

// ---- Basics ------------------------------------------------------------------------

// Blinking with the pin commands alone.
void exercise1(Lesson &l)
{
    TKeloBlock *x = l.pb.below(l.start(), l.block(PinOutput, 13));
    auto *always = l.loop(l.pb.below(x, l.block(Forever)));
    l.pb.intoBody(always, l.block(PinHigh, 13));
    l.pb.intoBody(always, l.block(Wait, 1000));
    l.pb.intoBody(always, l.block(PinLow, 13));
    l.pb.intoBody(always, l.block(Wait, 1000));
}

// A traffic light: three LEDs in turn.
void exercise2(Lesson &l)
{
    l.device(DeviceTypes::Laser, {9, LedKind});   // green
    l.device(DeviceTypes::Laser, {10, LedKind});  // yellow
    l.device(DeviceTypes::Laser, {11, LedKind});  // red
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    const struct {
        int led;
        int ms;
    } steps[] = {{0, 3000}, {1, 1000}, {2, 3000}};
    for (const auto &step : steps) {
        l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Laser, On, step.led));
        l.pb.intoBody(always, l.block(Wait, step.ms));
        l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Laser, Off, step.led));
    }
}

// SOS in Morse code: three repeat loops inside one that never ends.
void exercise3(Lesson &l)
{
    l.device(DeviceTypes::Laser, {13, LedKind});
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    // Morse's timing in units of 200 ms: a dot 1, a dash 3, 1 between the signals of a
    // letter and 3 between letters (the last signal's 200 and 400 more).
    const int signal[] = {200, 600, 200};
    for (int letter = 0; letter < 3; ++letter) {
        auto *three = l.loop(l.pb.intoBody(always, l.block(Repeat, 3)));
        l.pb.intoBody(three, l.deviceBlock(DeviceTypes::Laser, On));
        l.pb.intoBody(three, l.block(Wait, signal[letter]));
        l.pb.intoBody(three, l.deviceBlock(DeviceTypes::Laser, Off));
        l.pb.intoBody(three, l.block(Wait, 200));
        if (letter < 2)
            l.pb.intoBody(always, l.block(Wait, 400));
    }
    l.pb.intoBody(always, l.block(Wait, 2000));
}

// A condition: the button makes the LED blink three times.
void exercise4(Lesson &l)
{
    l.device(DeviceTypes::Switch, {2, ButtonKind});
    l.device(DeviceTypes::Laser, {13, LedKind});
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    auto *pressed = l.condition(l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Switch, Pressed)), Is);
    auto *three = l.loop(l.pb.intoBody(pressed, l.block(Repeat, 3)));
    l.pb.intoBody(three, l.deviceBlock(DeviceTypes::Laser, On));
    l.pb.intoBody(three, l.block(Wait, 300));
    l.pb.intoBody(three, l.deviceBlock(DeviceTypes::Laser, Off));
    l.pb.intoBody(three, l.block(Wait, 300));
}

// A variable: the LED blinks faster and faster.
void exercise5(Lesson &l)
{
    l.device(DeviceTypes::Laser, {13, LedKind});
    l.variable(u"Χρόνος"_s);
    TKeloBlock *set = l.pb.below(l.start(), l.setVariable(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s, u"Χρόνος"_s));
    set->SetParam1(1000);
    auto *ten = l.loop(l.pb.below(set, l.block(Repeat, 10)));
    l.pb.intoBody(ten, l.deviceBlock(DeviceTypes::Laser, On));
    l.pb.intoBody(ten, l.block(Wait))->SetVarParam1(l.pb.placeVariable(u"Χρόνος"_s));
    l.pb.intoBody(ten, l.deviceBlock(DeviceTypes::Laser, Off));
    l.pb.intoBody(ten, l.block(Wait))->SetVarParam1(l.pb.placeVariable(u"Χρόνος"_s));
    l.pb.intoBody(ten, l.setVariable(u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s, u"Χρόνος"_s))->SetParam1(-100);
    l.pb.after(ten, l.block(End));
}

// ---- Projects ----------------------------------------------------------------------

// A parking sensor: the nearer the obstacle, the faster the beeps.
void project1(Lesson &l)
{
    l.device(DeviceTypes::UltraSonic, {6, 7});
    l.device(DeviceTypes::Sound, {8});
    const QString distance = u"%pd → Εάν απόσταση %p1 %p2 εκατοστά"_s;
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    auto *nearby = l.condition(l.pb.intoBody(always, l.deviceBlock(DeviceTypes::UltraSonic, distance)), Less, 10);
    TKeloBlock *beep = l.pb.intoBody(nearby, l.deviceBlock(DeviceTypes::Sound, Tone));
    beep->SetParam1(2000);
    beep->SetParam2(100);
    auto *closer = l.condition(l.pb.intoElse(nearby, l.deviceBlock(DeviceTypes::UltraSonic, distance)), Less, 30);
    beep = l.pb.intoBody(closer, l.deviceBlock(DeviceTypes::Sound, Tone));
    beep->SetParam1(1500);
    beep->SetParam2(100);
    l.pb.intoBody(closer, l.block(Wait, 400));
    l.pb.intoBody(always, l.block(Wait, 50));
}

// A thermometer on the display.
void project2(Lesson &l)
{
    l.device(DeviceTypes::LCD_Serial, {});
    l.device(DeviceTypes::Temp, {4, 11});
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    l.pb.intoBody(always, l.deviceBlock(DeviceTypes::LCD_Serial, LcdClear));
    TKeloBlock *x = l.pb.intoBody(always, l.deviceBlock(DeviceTypes::LCD_Serial, LcdTextNumber));
    x->ParamStrEditChange(u"Θερμοκρ. "_s);
    x->SetVarParam1(l.deviceBlock(DeviceTypes::Temp, u"%pd → Θερμοκρασία"_s));
    x = l.pb.intoBody(always, l.deviceBlock(DeviceTypes::LCD_Serial, LcdCursor));
    x->SetParam1(0);
    x->SetParam2(1);
    x = l.pb.intoBody(always, l.deviceBlock(DeviceTypes::LCD_Serial, LcdTextNumber));
    x->ParamStrEditChange(u"Υγρασία "_s);
    x->SetVarParam1(l.deviceBlock(DeviceTypes::Temp, u"%pd → Υγρασία"_s));
    l.pb.intoBody(always, l.block(Wait, 2000));
}

// A night light that switches itself on in the dark.
void project3(Lesson &l)
{
    l.device(DeviceTypes::Switch, {3, LightDetectorKind});
    l.device(DeviceTypes::Laser, {11, LedKind});
    l.device(DeviceTypes::Laser, {12, LedKind});
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    auto *dark = l.condition(l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Switch, Activated)), Is);
    l.pb.intoBody(dark, l.deviceBlock(DeviceTypes::Laser, On, 0));
    l.pb.intoBody(dark, l.deviceBlock(DeviceTypes::Laser, On, 1));
    l.pb.intoElse(dark, l.deviceBlock(DeviceTypes::Laser, Off, 0));
    l.pb.intoElse(dark, l.deviceBlock(DeviceTypes::Laser, Off, 1));
    l.pb.intoBody(always, l.block(Wait, 500));
}

// A plant that asks to be watered.
void project4(Lesson &l)
{
    l.device(DeviceTypes::LCD_Serial, {});
    l.device(DeviceTypes::ANIN, {14, SoilMoistureKind});
    l.device(DeviceTypes::Sound, {8});
    auto *always = l.loop(l.pb.below(l.start(), l.block(Forever)));
    l.pb.intoBody(always, l.deviceBlock(DeviceTypes::LCD_Serial, LcdClear));
    TKeloBlock *x = l.pb.intoBody(always, l.deviceBlock(DeviceTypes::LCD_Serial, LcdTextNumber));
    x->ParamStrEditChange(u"Χώμα "_s);
    x->SetVarParam1(l.deviceBlock(DeviceTypes::ANIN, u"%pd → Τιμή Αναλογικής Συσκευής"_s));
    auto *dry = l.condition(
        l.pb.intoBody(always, l.deviceBlock(DeviceTypes::ANIN, u"%pd → Εάν η τιμή της συσκευής είναι %p1 %p2 "_s)),
        Greater, 700);
    x = l.pb.intoBody(dry, l.deviceBlock(DeviceTypes::LCD_Serial, LcdCursor));
    x->SetParam1(0);
    x->SetParam2(1);
    l.pb.intoBody(dry, l.deviceBlock(DeviceTypes::LCD_Serial, LcdText))->ParamStrEditChange(u"Πότισέ με!"_s);
    x = l.pb.intoBody(dry, l.deviceBlock(DeviceTypes::Sound, Tone));
    x->SetParam1(1000);
    x->SetParam2(300);
    l.pb.intoBody(always, l.block(Wait, 2000));
}

// A laser beam across a door: cutting it sounds the alarm.
void project5(Lesson &l)
{
    l.device(DeviceTypes::Laser, {12, LaserKind});
    l.device(DeviceTypes::Switch, {2, LaserDetectorKind});
    l.device(DeviceTypes::Sound, {8});
    l.device(DeviceTypes::Laser, {13, LedKind});
    TKeloBlock *x = l.pb.below(l.start(), l.deviceBlock(DeviceTypes::Laser, On, 0));
    auto *always = l.loop(l.pb.below(x, l.block(Forever)));
    auto *cut = l.condition(l.pb.intoBody(always, l.deviceBlock(DeviceTypes::Switch, Activated)), IsNot);
    auto *alarm = l.loop(l.pb.intoBody(cut, l.block(Repeat, 5)));
    l.pb.intoBody(alarm, l.deviceBlock(DeviceTypes::Laser, On, 1));
    x = l.pb.intoBody(alarm, l.deviceBlock(DeviceTypes::Sound, Tone));
    x->SetParam1(2500);
    x->SetParam2(200);
    l.pb.intoBody(alarm, l.deviceBlock(DeviceTypes::Laser, Off, 1));
    l.pb.intoBody(alarm, l.block(Wait, 200));
}

struct Example {
    const char *name;
    const char16_t *category;
    const char16_t *lesson;
    void (*build)(Lesson &);
};

const Example examples[] = {
    {"led", u"Συσκευές Σύνδεση", u"Led Λαμπάκι", led},
    {"laser", u"Συσκευές Σύνδεση", u"Laser", laser},
    {"button", u"Συσκευές Σύνδεση", u"Διακόπτης Πλήκτρο", button},
    {"light-sensor", u"Συσκευές Σύνδεση", u"Αισθητήρας Φωτός", lightSensor},
    {"soil-moisture", u"Συσκευές Σύνδεση", u"Αισθητήρας Υγρασίας Εδάφους", soilMoisture},
    {"lcd", u"Συσκευές Σύνδεση", u"LCD Οθόνη", lcd},
    {"temperature-humidity", u"Συσκευές Σύνδεση", u"Αισθητήρας Θερμοκρασίας - Υγρασίας", temperatureHumidity},
    {"ultrasonic", u"Συσκευές Σύνδεση", u"UltraSonic Απόσταση", ultrasonic},
    {"exercise-1", u"Βασικά", u"Άσκηση 1", exercise1},
    {"exercise-2", u"Βασικά", u"Άσκηση 2", exercise2},
    {"exercise-3", u"Βασικά", u"Άσκηση 3", exercise3},
    {"exercise-4", u"Βασικά", u"Άσκηση 4", exercise4},
    {"exercise-5", u"Βασικά", u"Άσκηση 5", exercise5},
    {"project-1", u"Project Απλά", u"Project 1", project1},
    {"project-2", u"Project Απλά", u"Project 2", project2},
    {"project-3", u"Project Απλά", u"Project 3", project3},
    {"project-4", u"Project Απλά", u"Project 4", project4},
    {"project-5", u"Project Απλά", u"Project 5", project5},
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Puts the program between its markers in the lesson; false when the lesson has none.
bool fillLesson(const QString &lessonFile, const QString &name, const QString &program)
{
    QFile f(lessonFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(f.readAll());
    f.close();
    const QString open = u"<!-- program: "_s + name + u" -->\n"_s;
    const QString close = u"<!-- /program -->"_s;
    const qsizetype from = text.indexOf(open);
    const qsizetype to = from < 0 ? -1 : text.indexOf(close, from);
    if (to < 0)
        return false;
    text.replace(from + open.size(), to - from - open.size(), program);
    return writeFile(lessonFile, text.toUtf8());
}

// The page shown for a lesson that has no document: a web archive (MHT) holding the
// page and the lessons' style sheet, every line ending in CRLF as the browser demands.
// The parts are UTF-8 text marked "binary": the browser shows nothing of a part
// marked "8bit".
bool writeFallback(const QDir &lessons)
{
    QFile css(lessons.filePath(u"lesson.css"_s));
    if (!css.open(QIODevice::ReadOnly))
        return false;
    const QString style = QString::fromUtf8(css.readAll());
    const QString page = uR"(<!DOCTYPE html>
<html lang="el">
<head>
<meta charset="utf-8">
<title>Το μάθημα δεν βρέθηκε</title>
<link rel="stylesheet" href="cid:lesson.css@vimsel">
</head>
<body>
<h1>Το μάθημα δεν βρέθηκε</h1>
<p class="lead">Το πρόγραμμα έψαξε το αρχείο αυτού του μαθήματος αλλά δεν το βρήκε.</p>
<p>Η διαδρομή που έψαξε φαίνεται στην κάτω γραμμή της σελίδας. Διάλεξε ένα άλλο μάθημα
από τη λίστα αριστερά ή ζήτησε βοήθεια από τον εκπαιδευτικό σου.</p>
<div class="tip">Κάθε μάθημα είναι ένα αρχείο με το όνομα του μαθήματος και κατάληξη .htm,
.html, .mht ή .mhtml, στον φάκελο της κατηγορίας του μέσα στον φάκελο Lessons του προγράμματος.</div>
</body>
</html>)"_s;
    const QString boundary = u"----=_VimselLesson_Error"_s;
    QStringList lines{
        u"From: <Vimsel>"_s,
        u"Subject: =?utf-8?B?"_s + QString::fromLatin1(u"Το μάθημα δεν βρέθηκε"_s.toUtf8().toBase64()) + u"?="_s,
        u"MIME-Version: 1.0"_s,
        u"Content-Type: multipart/related;"_s,
        u"\ttype=\"text/html\";"_s,
        u"\tboundary=\""_s + boundary + u'"',
        QString(),
        u"This is a multi-part message in MIME format."_s,
        QString(),
        u"--"_s + boundary,
        u"Content-Type: text/html; charset=\"utf-8\""_s,
        u"Content-Transfer-Encoding: binary"_s,
        u"Content-Location: Error.htm"_s,
        QString(),
    };
    lines += page.split(u'\n');
    lines += {QString(), u"--"_s + boundary, u"Content-Type: text/css; charset=\"utf-8\""_s,
              u"Content-Transfer-Encoding: binary"_s, u"Content-ID: <lesson.css@vimsel>"_s, QString()};
    lines += style.trimmed().split(u'\n');
    lines += {QString(), u"--"_s + boundary + u"--"_s, QString()};
    return writeFile(lessons.filePath(u"Error.mht"_s), lines.join(u"\r\n"_s).toUtf8());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lesson-examples <examples/lessons folder> <Lessons folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir lessons(QString::fromLocal8Bit(argv[2]));
    int failures = 0;
    for (const Example &e : examples) {
        const QString name = QString::fromLatin1(e.name);
        const QString dir = out.filePath(name);
        QDir().mkpath(dir);
        const QString vzl = dir + u'/' + name + u".vzl"_s;
        {
            Lesson lesson;
            e.build(lesson);
            QString error;
            if (!ProjectFiles::saveProject(lesson.project, vzl, &error))
                Lesson::fail(error);
        }
        // Sketch and lesson text come from the saved files, as the tests read them.
        QByteArray sketch, err;
        if (SketchCommand::run({vzl}, sketch, err) != 0 || !err.isEmpty())
            Lesson::fail(name + u": "_s + QString::fromUtf8(err));
        writeFile(dir + u'/' + name + u".ino"_s, sketch);

        FixedTextMeasurer measurer;
        NullDebugLog log;
        RecordingUserPrompt prompt;
        Project reread(&measurer, &log, &prompt);
        ProjectFiles::loadProject(reread, vzl);
        const QString lessonFile = lessons.filePath(QString::fromUtf16(e.category) + u'/'
                                                    + QString::fromUtf16(e.lesson) + u".htm"_s);
        if (!fillLesson(lessonFile, name, LessonProgram::html(reread))) {
            std::fprintf(stderr, "lesson-examples: %s has no place for the program %s\n", qPrintable(lessonFile),
                         e.name);
            ++failures;
        }
    }
    if (!writeFallback(lessons)) {
        std::fprintf(stderr, "lesson-examples: cannot write %s\n", qPrintable(lessons.filePath(u"Error.mht"_s)));
        ++failures;
    }
    std::printf("%d example projects written into %s\n", int(std::size(examples)), qPrintable(out.path()));
    return failures == 0 ? 0 : 1;
}
