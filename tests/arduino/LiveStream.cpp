// Records what the program's own live connection sends to the interpreter firmware,
// for the simulator to play into the board's serial line, and writes the sketch of
// the same project beside it, so that both can be run and compared.
//
// The host side is the real one: LiveProgram encodes the project and LiveConnection
// sends it, here through a scripted serial link and a virtual clock. The scripted
// board answers 0x52 to the start byte and to the first end marker, at once; every
// byte the host writes is recorded with its virtual time.
//
// Stream file (one event a line, times in ms of the host's clock, 0 = the start byte):
//   # ...                a debug line of the host, or a comment
//   send <ms> <hex>...   bytes written together at that time
//   wait52 <ms>          the host read the board's 0x52 here: a player holds the
//                        stream until the board has sent it
//   start <ms>           the transfer is over: the program runs from the end of the
//                        last byte sent before this line
//
// Usage:
//   vimsel_live_stream [--stop-after MS] PROJECT.vzl STREAM [SKETCH]
//       one project file: its stream and (optionally) its sketch; with --stop-after
//       the stop command follows the transfer after MS milliseconds
//   vimsel_live_stream --corpus OUT EXAMPLES_DIR
//       the differential corpus: for each case OUT/<name>/<name>.ino, <name>.live and
//       sim.args: "seconds=" how long to run after the start, "sim=" the simulator's
//       devices, "pulses=" the pins to compare as pulse trains
#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloControlBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "blocks/TKeloLoopBlock.h"
#include "codegen/SketchGenerator.h"
#include "devices/DeviceTypes.h"
#include "project/ProgramBuilder.h"
#include "project/Project.h"
#include "project/ProjectFiles.h"
#include "serial/LiveConnection.h"
#include "serial/LiveProgram.h"
#include "serial/SerialLink.h"
#include "util/ClockRef.h"
#include "util/DebugLog.h"
#include "util/TextMeasurer.h"
#include "util/UserPrompt.h"
#include "util/VirtualClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <climits>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The stream as it is recorded.
class Recording {
public:
    void comment(const QString &line) { fText += u"# "_s + line + u'\n'; }
    void send(qint64 ms, const QByteArray &bytes)
    {
        fText += u"send "_s + QString::number(ms);
        for (char c : bytes)
            fText += u' ' + QString::number(quint8(c), 16).rightJustified(2, u'0');
        fText += u'\n';
    }
    void wait52(qint64 ms) { fText += u"wait52 "_s + QString::number(ms) + u'\n'; }
    void start(qint64 ms) { fText += u"start "_s + QString::number(ms) + u'\n'; }
    const QString &text() const { return fText; }

private:
    QString fText;
};

class RecordingLog : public DebugLog {
public:
    explicit RecordingLog(Recording &rec) : fRec(rec) {}
    void AddDebug(const QString &line) override { fRec.comment(line); }

private:
    Recording &fRec;
};

// A board that acknowledges at once: after the start byte (the first byte written)
// and after the first end marker (the byte after the count and every record; a
// record's byte may itself be 0xFD, so the position decides, not the value).
class ScriptedBoard : public SerialLink {
public:
    ScriptedBoard(VirtualClock &clock, Recording &rec, qsizetype endMarkerIndex)
        : fClock(clock), fRec(rec), fEndMarkerIndex(endMarkerIndex)
    {
    }
    void setListener(Listener listener) override { fListener = std::move(listener); }
    bool open(const QString &) override { return fOpen = true; }
    bool isOpen() const override { return fOpen; }
    void close() override { fOpen = false; }
    bool write(const QByteArray &bytes) override
    {
        fRec.send(fClock.nowMs(), bytes);
        for (qsizetype i = 0; i < bytes.size(); ++i, ++fWritten) {
            if (fWritten == 0) {
                fRx += 'R';
                // The byte's news comes from the event loop, as from a real port.
                fClock.callAfter(0, [this] {
                    if (fListener.readyRead)
                        fListener.readyRead();
                });
            } else if (fWritten == fEndMarkerIndex) {
                fRx += 'R';
            }
        }
        return true;
    }
    QByteArray readAll() override
    {
        QByteArray r = std::exchange(fRx, {});
        if (r.contains('R'))
            fRec.wait52(fClock.nowMs());
        return r;
    }
    void setDataTerminalReady(bool) override {}

private:
    VirtualClock &fClock;
    Recording &fRec;
    qsizetype fEndMarkerIndex;
    Listener fListener;
    bool fOpen = false;
    qsizetype fWritten = 0;
    QByteArray fRx;
};

// Sends the project's program through LiveConnection; false when no start block or
// the transfer did not complete.
bool record(Project &project, int stopAfterMs, Recording &rec)
{
    TKeloBlock *start = project.workspace().findStartBlock();
    if (!start)
        return false;
    LiveProgram program = LiveProgram::encode(start, project.devices(), project.variables());
    qsizetype dataBytes = 0;
    for (const LiveStep &s : program.steps)
        dataBytes += s.bytes.size();
    VirtualClock clock;
    RecordingLog log(rec);
    RecordingUserPrompt prompt;
    LiveConnection conn(std::make_unique<ScriptedBoard>(clock, rec, 2 + dataBytes), std::make_unique<ClockRef>(clock),
                        &log, &prompt);
    bool sent = false;
    conn.setEvents({nullptr, [&](bool ok) {
                        sent = ok;
                        if (!ok)
                            return;
                        rec.start(clock.nowMs());
                        if (stopAfterMs >= 0)
                            clock.callAfter(stopAfterMs, [&conn] { conn.acStopExecute(); });
                    }});
    conn.acConnectExecute(std::move(program), u"simulated"_s);
    clock.runUntilIdle();
    for (const QString &m : prompt.messages)
        std::fprintf(stderr, "host message: %s\n", qPrintable(m));
    return sent;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeSketch(Project &project, const QString &path)
{
    const auto lines = project.generateSketch();
    return lines && writeFile(path, SketchGenerator::sketchText(*lines).toUtf8());
}

// ---------------------------------------------------------------- the corpus

struct Case {
    QString name;
    double seconds;      // simulated after the program starts
    QString simArgs;     // devices of the simulator
    QString pulses;      // servo outputs, compared as pulse trains
    int stopAfterMs;     // -1: no stop command
    std::function<void(class Builder &)> build;  // a generated program, or
    QString example;     // a project under the examples folder
};

// Builds programs as a pupil does, through the palette's prototypes.
class Builder {
public:
    Builder() : project(&measurer, &log, &prompt), pb(project) { project.buildPalette(); }

    TKeloBlock *place(const QString &text)
    {
        TKeloBlock *proto = pb.prototype(text);
        if (!proto) {
            std::fprintf(stderr, "no prototype \"%s\"\n", qPrintable(text));
            std::exit(2);
        }
        return pb.place(proto);
    }
    // The k-th prototype of a device type's palette, bound to the device at the
    // given position of the device list.
    TKeloBlock *placeDevice(int type, int k, int device = 0)
    {
        QList<TKeloBlock *> protos;
        for (TKeloBlock *b : project.workspace().components())
            if (b->prototype() && b->DeviceOnlyCommandID() == type)
                protos.append(b);
        TKeloBlock *b = pb.place(protos.at(k));
        if (b->CommandText().contains(u"%pd"_s))
            b->DeviceComboChange(device);
        return b;
    }
    int device(int type, std::vector<int> params)
    {
        const int pos = project.devices().AddDevice(type, &prompt);
        for (std::size_t i = 0; i < params.size(); ++i)
            project.devices().SetParam(pos, int(i) + 1, params[i]);
        return pos;
    }
    void variables(const QStringList &names)
    {
        fVars = names;
        for (const QString &n : names)
            project.variables().Newvar(n);
    }
    TKeloBlock *var(int i) { return pb.placeVariable(fVars.at(i)); }

    TKeloBlock *begin()
    {
        fLast = place(u"Έναρξη προγράμματος"_s);
        fLast->SetBounds(40, 20, fLast->Width(), fLast->Height());
        return fLast;
    }

    // Appends to the current chain: below the last block, or into the body (or else
    // branch) of an open container.
    TKeloBlock *add(TKeloBlock *b)
    {
        if (fOpen.empty()) {
            if (fAfterContainer)
                pb.after(static_cast<TKeloContainerBlock *>(fLast), b);
            else
                pb.below(fLast, b);
            fLast = b;
            fAfterContainer = false;
        } else {
            Frame &f = fOpen.back();
            if (f.inElse)
                pb.intoElse(static_cast<TKeloControlElseBlock *>(f.c), b);
            else
                pb.intoBody(f.c, b);
        }
        return b;
    }
    TKeloBlock *add(const QString &text, int p1 = INT_MIN, int p2 = INT_MIN)
    {
        TKeloBlock *b = add(place(text));
        if (p1 != INT_MIN)
            b->SetParam1(p1);
        if (p2 != INT_MIN)
            b->SetParam2(p2);
        return b;
    }
    TKeloBlock *pinOut(int pin) { return add(u"Διαμόρφωσε το pin %p1 για έξοδο"_s, pin); }
    TKeloBlock *pinIn(int pin) { return add(u"Διαμόρφωσε το pin %p1 για είσοδο"_s, pin); }
    TKeloBlock *high(int pin) { return add(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s, pin); }
    TKeloBlock *low(int pin) { return add(u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s, pin); }
    TKeloBlock *wait(int ms) { return add(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, ms); }
    TKeloBlock *set(int variable, int value)
    {
        auto *b = static_cast<TKeloCommandVarBlock *>(add(place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s)));
        b->VarComboChange(variable);
        b->SetParam1(value);
        return b;
    }
    TKeloBlock *change(int variable, int by)
    {
        auto *b = static_cast<TKeloCommandVarBlock *>(add(place(u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s)));
        b->VarComboChange(variable);
        b->SetParam1(by);
        return b;
    }

    // Containers: open, fill with add(), close with end().
    TKeloContainerBlock *open(TKeloBlock *container)
    {
        auto *c = static_cast<TKeloContainerBlock *>(add(container));
        fOpen.push_back({c, false});
        return c;
    }
    TKeloContainerBlock *repeat(int times)
    {
        TKeloContainerBlock *c = open(place(u"Επανάλαβε %p1 φορές"_s));
        c->SetParam1(times);
        return c;
    }
    TKeloContainerBlock *repeatForever() { return open(place(u"Επανάλαβε συνεχώς"_s)); }
    // A pin condition: "is 1" or "is 0", negated when asked.
    TKeloControlElseBlock *ifPin(bool isHigh, int pin, bool negated = false)
    {
        auto *c = static_cast<TKeloControlElseBlock *>(open(place(
            isHigh ? u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s : u"Εάν το pin %p2 %p1 είναι 0 (low=0 Volt)"_s)));
        c->CompareListChange(negated ? 1 : 0);
        c->SetParam2(pin);
        return c;
    }
    void orElse() { fOpen.back().inElse = true; }
    void end()
    {
        TKeloContainerBlock *c = fOpen.back().c;
        fOpen.pop_back();
        // A container closed inside another was linked into that one's body, where
        // what follows goes after it too.
        if (fOpen.empty()) {
            fLast = c;
            fAfterContainer = true;
        }
    }
    void finish() { add(u"Τερματισμός προγράμματος"_s); }

    FixedTextMeasurer measurer;
    NullDebugLog log;
    RecordingUserPrompt prompt;
    Project project;
    ProgramBuilder pb;

private:
    struct Frame {
        TKeloContainerBlock *c;
        bool inElse;
    };
    std::vector<Frame> fOpen;
    TKeloBlock *fLast = nullptr;
    bool fAfterContainer = false;
    QStringList fVars;
};

// Pin modes and levels with waits, in a counted loop.
void pinsAndWaits(Builder &b)
{
    b.begin();
    b.pinOut(13);
    b.pinOut(12);
    b.pinIn(2);
    b.high(4);  // an input's pull-up
    b.repeat(3);
    b.high(13);
    b.wait(120);
    b.high(12);
    b.wait(80);
    b.low(13);
    b.low(12);
    b.wait(200);
    b.end();
    b.pinOut(4);
    b.high(13);
    b.wait(1);
    b.low(4);
    b.finish();
}

// Variables set, changed and used in slots: a loop count, a wait, a pin; values
// above 255 take both bytes of a word.
void variablesInSlots(Builder &b)
{
    b.variables({u"Μετρητής"_s, u"Χρόνος"_s, u"Ακίδα"_s});
    b.begin();
    b.set(0, 3);
    b.set(1, 300);
    b.set(2, 12);
    b.pinOut(13);
    b.add(u"Διαμόρφωσε το pin %p1 για έξοδο"_s)->SetVarParam1(b.var(2));
    TKeloBlock *outer = b.repeat(2);
    outer->SetVarParam1(b.var(0));
    b.repeat(2);
    b.high(13);
    b.add(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s)->SetVarParam1(b.var(1));
    b.low(13);
    b.wait(50);
    b.end();
    b.add(u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s)->SetVarParam1(b.var(2));
    b.change(1, 100);
    b.add(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s)->SetVarParam1(b.var(1));
    b.add(u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s)->SetVarParam1(b.var(2));
    // A variable added to another: the change takes its amount from a slot.
    b.change(1, 0)->SetVarParam1(b.var(0));
    b.end();
    b.finish();
}

// Conditions on pins (both kinds, negated, with and without else), reading the
// levels the program itself drives, one with its pin from a variable.
void pinConditions(Builder &b)
{
    b.variables({u"Ακίδα"_s});
    b.begin();
    b.set(0, 11);
    b.pinOut(13);
    b.pinOut(12);
    b.pinOut(11);
    b.repeat(6);
    b.ifPin(true, 13);
    b.low(13);
    b.high(12);
    b.orElse();
    b.high(13);
    b.low(12);
    b.end();
    b.ifPin(false, 12, true);  // pin 12 is not 0
    b.wait(30);
    b.end();
    auto *byVar = b.ifPin(true, 0);
    byVar->SetVarParam2(b.var(0));
    b.low(11);
    b.orElse();
    b.high(11);
    b.end();
    b.wait(100);
    b.end();
    b.finish();
}

// An endless loop: three pins at periods that drift apart from any per-command
// overhead of the interpreter.
void endless(Builder &b)
{
    b.begin();
    b.pinOut(13);
    b.pinOut(8);
    b.repeatForever();
    b.high(13);
    b.wait(50);
    b.high(8);
    b.wait(25);
    b.low(8);
    b.wait(175);
    b.low(13);
    b.wait(250);
    b.end();
}

// The display: cleared, text (Greek letters and the degree sign), numbers from
// literals and variables, the cursor on both rows.
void lcdText(Builder &b)
{
    b.device(DeviceTypes::LCD_Serial, {});
    b.variables({u"Μετρητής"_s});
    b.begin();
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 0));  // clear
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 2))->ParamStrEditChange(u"Γειά σου °C"_s);
    b.set(0, 7);
    TKeloBlock *cursor = b.add(b.placeDevice(DeviceTypes::LCD_Serial, 1));
    cursor->SetParam1(0);
    cursor->SetParam2(1);
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 3))->SetParam1(1234);
    b.repeat(3);
    TKeloBlock *both = b.add(b.placeDevice(DeviceTypes::LCD_Serial, 4));
    both->ParamStrEditChange(u" n="_s);
    both->SetVarParam1(b.var(0));
    b.change(0, 5);
    b.wait(200);
    b.end();
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 3))->SetVarParam1(b.var(0));
    b.finish();
}

// Tones: the beep, a tone from literals and one whose frequency is a variable, with
// pin 13 as a mark between them.
void tones(Builder &b)
{
    b.device(DeviceTypes::Sound, {8});
    b.variables({u"Συχνότητα"_s});
    b.begin();
    b.pinOut(13);
    b.add(b.placeDevice(DeviceTypes::Sound, 0));  // beep
    b.high(13);
    b.wait(100);
    TKeloBlock *tone = b.add(b.placeDevice(DeviceTypes::Sound, 1));
    tone->SetParam1(440);
    tone->SetParam2(300);
    b.low(13);
    b.set(0, 1000);
    tone = b.add(b.placeDevice(DeviceTypes::Sound, 1));
    tone->SetVarParam1(b.var(0));
    tone->SetParam2(120);
    b.high(13);
    b.finish();
}

// A servo moved to absolute and by relative angles.
void servo(Builder &b)
{
    b.device(DeviceTypes::Servo, {9});
    b.begin();
    b.add(b.placeDevice(DeviceTypes::Servo, 0))->SetParam1(90);  // left at 90
    b.wait(200);
    b.add(b.placeDevice(DeviceTypes::Servo, 1))->SetParam1(45);  // right at 45
    b.wait(200);
    b.add(b.placeDevice(DeviceTypes::Servo, 2))->SetParam1(30);  // 30 more to the left
    b.wait(200);
    b.add(b.placeDevice(DeviceTypes::Servo, 3))->SetParam1(60);  // 60 to the right
    b.wait(200);
    b.finish();
}

// Two laser/LED devices (made outputs by their set-up) switched on and off, and a
// switch (an input nobody presses) tested with an else branch.
void laserAndSwitch(Builder &b)
{
    b.device(DeviceTypes::Laser, {13, 1});
    b.device(DeviceTypes::Laser, {12, 0});
    b.device(DeviceTypes::Switch, {2, 0});
    b.begin();
    b.repeat(3);
    b.add(b.placeDevice(DeviceTypes::Laser, 0, 0));  // on
    b.wait(100);
    b.add(b.placeDevice(DeviceTypes::Laser, 0, 1));
    b.add(b.placeDevice(DeviceTypes::Laser, 1, 0));  // off
    b.wait(100);
    b.open(b.placeDevice(DeviceTypes::Switch, 0));  // if pressed
    b.add(b.placeDevice(DeviceTypes::Laser, 1, 1));
    b.orElse();
    b.wait(150);
    b.end();
    b.end();
    b.add(b.placeDevice(DeviceTypes::Laser, 1, 1));
    b.finish();
}

// Readings of the sensors the simulator models (DHT22 on 5: 65.2 % and -10.1 degrees;
// HC-SR04 on 6 and 7: 123 cm; BMP180: 699.64 hPa and 15.0 degrees) in conditions of
// every comparison, each switching a pin in its body or its else branch, and as
// values on the display, integer and floating point.
void sensorReadings(Builder &b)
{
    b.device(DeviceTypes::LCD_Serial, {});
    b.device(DeviceTypes::Temp, {5, 22});
    b.device(DeviceTypes::UltraSonic, {6, 7});
    b.device(DeviceTypes::BMP, {});
    struct Test {
        int type, proto, comparison, limit, pin;
    };
    const Test tests[] = {
        {DeviceTypes::Temp, 2, 3, 0, 13},          // temperature against 0
        {DeviceTypes::Temp, 3, 2, 60, 12},         // humidity against 60
        {DeviceTypes::UltraSonic, 1, 1, 123, 11},  // distance against 123
        {DeviceTypes::BMP, 3, 4, 700, 10},         // pressure against 700
        {DeviceTypes::BMP, 5, 0, 15, 9},           // temperature against 15
    };
    b.begin();
    for (const Test &t : tests)
        b.pinOut(t.pin);
    // The firmware sends its "Program start" line while the first blocks run (16 ms at
    // 9600 baud). pulseIn() counts loop turns, so those serial interrupts shorten an echo
    // timed then by some 40 us, and this obstacle's distance is close enough to a
    // centimetre's edge to read one less. The pupil would not care; the comparison
    // would, so the first echo is timed after the line has gone out.
    b.wait(20);
    b.repeat(2);
    for (const Test &t : tests) {
        auto *c = static_cast<TKeloControlElseBlock *>(b.open(b.placeDevice(t.type, t.proto)));
        c->CompareListChange(t.comparison);
        c->SetParam2(t.limit);
        b.high(t.pin);
        b.orElse();
        b.low(t.pin);
        b.end();
    }
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 0));
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 3))->SetVarParam1(b.placeDevice(DeviceTypes::UltraSonic, 0));
    TKeloBlock *both = b.add(b.placeDevice(DeviceTypes::LCD_Serial, 4));
    both->ParamStrEditChange(u" T="_s);
    both->SetVarParam1(b.placeDevice(DeviceTypes::BMP, 2));
    TKeloBlock *cursor = b.add(b.placeDevice(DeviceTypes::LCD_Serial, 1));
    cursor->SetParam2(1);
    b.add(b.placeDevice(DeviceTypes::LCD_Serial, 3))->SetVarParam1(b.placeDevice(DeviceTypes::Temp, 1));
    both = b.add(b.placeDevice(DeviceTypes::LCD_Serial, 4));
    both->ParamStrEditChange(u" "_s);
    both->SetVarParam1(b.placeDevice(DeviceTypes::Temp, 0));
    b.wait(300);
    b.end();
    b.finish();
}

// A DC motor on 5 and 6 run forward, backward and stopped.
void dcMotor(Builder &b)
{
    b.device(DeviceTypes::DCMOTOR, {5, 6});
    b.begin();
    b.repeat(2);
    b.add(b.placeDevice(DeviceTypes::DCMOTOR, 0));
    b.wait(150);
    b.add(b.placeDevice(DeviceTypes::DCMOTOR, 1));
    b.wait(150);
    b.add(b.placeDevice(DeviceTypes::DCMOTOR, 2));
    b.wait(100);
    b.end();
    b.finish();
}

// The robot's speed (an analogue output on its enable pin, 11), moves and a timed
// turn; its wheel interrupter is simulated.
void robotSpeed(Builder &b)
{
    b.device(DeviceTypes::ROBOT, {5, 6, 7, 8, 2, 1, 11});
    b.begin();
    b.add(b.placeDevice(DeviceTypes::ROBOT, 1))->SetParam1(120);  // speed
    b.add(b.placeDevice(DeviceTypes::ROBOT, 2));                  // forward
    b.wait(200);
    b.add(b.placeDevice(DeviceTypes::ROBOT, 1))->SetParam1(200);
    b.add(b.placeDevice(DeviceTypes::ROBOT, 3));  // backward
    b.wait(200);
    b.add(b.placeDevice(DeviceTypes::ROBOT, 10))->SetParam2(150);  // right for 150 ms
    b.add(b.placeDevice(DeviceTypes::ROBOT, 1))->SetParam1(0);
    b.add(b.placeDevice(DeviceTypes::ROBOT, 2));
    b.wait(100);
    b.add(b.placeDevice(DeviceTypes::ROBOT, 7));  // stop
    b.finish();
}

// Blinks for ever; the stop command ends it.
void stopped(Builder &b)
{
    b.begin();
    b.pinOut(13);
    b.repeatForever();
    b.high(13);
    b.wait(100);
    b.low(13);
    b.wait(100);
    b.end();
}

const std::vector<Case> &corpus()
{
    static const std::vector<Case> cases{
        {u"pins_and_waits"_s, 1.5, {}, {}, -1, pinsAndWaits, {}},
        {u"variables_in_slots"_s, 3.0, {}, {}, -1, variablesInSlots, {}},
        {u"pin_conditions"_s, 1.2, {}, {}, -1, pinConditions, {}},
        {u"endless_loop"_s, 4.0, {}, {}, -1, endless, {}},
        {u"lcd_text"_s, 1.5, u"--lcd"_s, {}, -1, lcdText, {}},
        {u"tones"_s, 1.0, {}, {}, -1, tones, {}},
        {u"servo"_s, 1.5, {}, u"B1"_s, -1, servo, {}},
        {u"laser_and_switch"_s, 1.5, {}, {}, -1, laserAndSwitch, {}},
        {u"sensor_readings"_s, 1.5, u"--lcd --bmp180 --dht22 D5 --hcsr04 D6,D7"_s, {}, -1, sensorReadings, {}},
        {u"dc_motor"_s, 1.0, {}, {}, -1, dcMotor, {}},
        {u"robot_speed"_s, 1.0, u"--encoder D5,D2"_s, {}, -1, robotSpeed, {}},
        {u"stop_command"_s, 2.0, {}, {}, 1050, stopped, {}},
    };
    return cases;
}

// An Uno pin as the simulator names it (port letter and bit), empty for others.
QString unoPin(int pin)
{
    if (pin >= 0 && pin <= 7)
        return u"D"_s + QString::number(pin);
    if (pin >= 8 && pin <= 13)
        return u"B"_s + QString::number(pin - 8);
    if (pin >= 14 && pin <= 19)
        return u"C"_s + QString::number(pin - 14);
    return {};
}

// The simulated devices an example's device list asks for: the display, the
// barometer, and the first DHT22, ultrasonic sensor and robot wheel on Uno pins.
QString simulatedDevices(Project &project)
{
    QStringList args;
    bool dht = false, sonar = false, wheel = false;
    for (int i = 0; i < project.devices().count(); ++i) {
        const TActiveDevice &d = project.devices().device(i);
        const auto &p = d.ActDevParams;
        if (d.DeviceTypeID == DeviceTypes::LCD_Serial && !args.contains(u"--lcd"_s)) {
            args << u"--lcd"_s;
        } else if (d.DeviceTypeID == DeviceTypes::BMP && !args.contains(u"--bmp180"_s)) {
            args << u"--bmp180"_s;
        } else if (d.DeviceTypeID == DeviceTypes::Temp && !dht && !unoPin(p[1]).isEmpty()) {
            args << (p[2] == 11 ? u"--dht11"_s : u"--dht22"_s) << unoPin(p[1]);
            dht = true;
        } else if (d.DeviceTypeID == DeviceTypes::UltraSonic && !sonar && !unoPin(p[1]).isEmpty()
                   && !unoPin(p[2]).isEmpty()) {
            args << u"--hcsr04"_s << unoPin(p[1]) + u',' + unoPin(p[2]);
            sonar = true;
        } else if (d.DeviceTypeID == DeviceTypes::ROBOT && !wheel && !unoPin(p[1]).isEmpty()
                   && !unoPin(p[5]).isEmpty()) {
            args << u"--encoder"_s << unoPin(p[1]) + u',' + unoPin(p[5]);
            wheel = true;
        }
    }
    return args.join(u' ');
}

// Every example project: examples/<name>/<name>.vzl and examples/lessons/<name>/<name>.vzl,
// as the case example_<path with _ for />.
std::vector<Case> exampleCases(const QString &examples)
{
    std::vector<Case> out;
    QStringList dirs;
    for (const QString &d : QDir(examples).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        dirs << d;
    for (const QString &d : QDir(examples + u"/lessons"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        dirs << u"lessons/"_s + d;
    for (const QString &d : dirs) {
        const QString name = d.section(u'/', -1);
        if (!QFile::exists(examples + u'/' + d + u'/' + name + u".vzl"_s))
            continue;
        out.push_back({u"example_"_s + QString(d).replace(u'/', u'_').replace(u'-', u'_'), 3.0, {}, {}, -1, nullptr,
                       d + u'/' + name + u".vzl"_s});
    }
    return out;
}

int runCorpus(const QString &out, const QString &examples)
{
    QDir(out).removeRecursively();
    int failures = 0;
    std::vector<Case> cases = corpus();
    for (Case &c : exampleCases(examples))
        cases.push_back(std::move(c));
    for (const Case &c : cases) {
        Builder b;
        if (c.build) {
            c.build(b);
        } else {
            const auto loaded = ProjectFiles::loadProject(b.project, examples + u'/' + c.example);
            if (!loaded.ok) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(c.example), qPrintable(loaded.error));
                ++failures;
                continue;
            }
        }
        const QString simArgs = c.build ? c.simArgs : simulatedDevices(b.project);
        const QString dir = out + u'/' + c.name;
        QDir().mkpath(dir);
        Recording rec;
        rec.comment(u"live stream of "_s + c.name);
        const bool ok = record(b.project, c.stopAfterMs, rec) && writeFile(dir + u'/' + c.name + u".live"_s, rec.text().toUtf8())
                        && writeSketch(b.project, dir + u'/' + c.name + u".ino"_s)
                        && writeFile(dir + u"/sim.args"_s,
                                     (u"seconds="_s + QString::number(c.seconds) + u"\nsim="_s + simArgs
                                      + u"\npulses="_s + c.pulses + u'\n').toUtf8());
        if (!ok) {
            std::fprintf(stderr, "%s: no stream or sketch\n", qPrintable(c.name));
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == u"--corpus"_s)
        return runCorpus(args[1], args[2]);
    int stopAfter = -1;
    if (args.size() >= 2 && args[0] == u"--stop-after"_s) {
        stopAfter = args[1].toInt();
        args = args.mid(2);
    }
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: %s [--stop-after MS] PROJECT.vzl STREAM [SKETCH]\n"
                             "       %s --corpus OUT EXAMPLES_DIR\n", argv[0], argv[0]);
        return 2;
    }
    Builder b;
    const auto loaded = ProjectFiles::loadProject(b.project, args[0]);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[0]), qPrintable(loaded.error));
        return 2;
    }
    Recording rec;
    rec.comment(u"live stream of "_s + args[0]);
    if (!record(b.project, stopAfter, rec)) {
        std::fprintf(stderr, "%s: the transfer did not complete (no start block?)\n", qPrintable(args[0]));
        return 1;
    }
    if (!writeFile(args[1], rec.text().toUtf8()))
        return 1;
    return args.size() == 3 && !writeSketch(b.project, args[2]) ? 1 : 0;
}
