// Block interpreter for live mode: receives a block program over serial and runs it
// with the meaning of the sketch that code generation makes of the same blocks.
// Texts sent to the host never hold a capital R: the host reads 'R' as "ready".
#include <Arduino.h>
#include <setjmp.h>
#include <Wire.h>
#include <LiquidCrystal_I2C.h>
#include <KeloServo.h>
#include <Speaker.h>
#include <MVSonicSensor.h>
#include <DHT.h>
#include <KeloBMP.h>
#include <KeloMotor.h>
#include <MVRobot.h>
#include "WireFormat.h"

using WireFormat::Field;

// The block record being run (its index among the block records received), 0xFFFF
// while no program runs. A simulator reads it from memory by this name.
extern "C" {
volatile uint16_t morvaneRunningBlock __attribute__((used)) = 0xFFFF;
}

// The core has no placement form of new: the device objects are built in the arena.
inline void *operator new(size_t, void *where) noexcept { return where; }

namespace {

const uint8_t StartByte = 0x31, StopByte = 0x30, ReadyByte = 0x52;

// One block of the program (10 bytes).
struct Block {
    uint8_t cmd;
    int8_t dev;      // received: device position, -1 none; after binding: index in devices, -1 none
    uint8_t v1, v2;  // slot values after loading: 0xFF none, 0xF0+k reading 75+k, else variable slot
    int16_t p1, p2;  // p2 of the LCD text commands: offset of the text in the arena
    uint16_t jump;   // containers: index of the else header or the end block; else
                     // headers: index of the end block; end blocks: index of the container
};

struct Device {
    uint8_t code;     // set-up command number of the type
    int8_t position;
    int16_t param[8]; // 1..7 used
    void *object;
};

// The arena holds the blocks, their texts, the variables and the device objects. On
// the Uno what is left for the stack (library calls, the display's printing of floats)
// must stay above about 400 bytes.
#if defined(__AVR_ATmega2560__)
const uint16_t ArenaSize = 6144;
const uint8_t MaxDevices = 24;
#else
const uint16_t ArenaSize = 700;
const uint8_t MaxDevices = 8;
#endif
uint8_t arena[ArenaSize];
Device devices[MaxDevices];
uint8_t deviceCount = 0;
Block *blocks = nullptr;
uint16_t blockCount = 0;
int16_t *vars = nullptr;
uint8_t varCount = 0;
uint16_t arenaTop = 0, arenaBottom = ArenaSize;
bool loaded = false;
jmp_buf stopPoint;
bool running = false;

void say(const __FlashStringHelper *s) { Serial.println(s); }

// Called by delay() while it waits, at every turn of a loop, and while halted; not at
// every block, which would slow a run of quick blocks against their sketch.
void poll()
{
    if (!running || !Serial.available())
        return;
    const int b = Serial.peek();
    if (b == StopByte || b == StartByte) {
        if (b == StopByte)
            Serial.read();
        longjmp(stopPoint, 1);
    }
    Serial.read();
}

// The program's own waits of 20 ms or more tell the host the block they belong to, as
// a line "@<record>", when it is another than the last one told. The line goes out by
// interrupt while the wait runs: the program's timing stays as it is, and a sensor read
// after the wait meets a quiet line.
bool tellWait = false;
uint16_t toldBlock = 0xFFFF;

void tellBlock()
{
    if (!tellWait)
        return;
    tellWait = false;
    if (morvaneRunningBlock == toldBlock || Serial.availableForWrite() < 8)
        return;
    toldBlock = morvaneRunningBlock;
    Serial.write('@');
    Serial.print(toldBlock);
    Serial.write('\n');
}

} // namespace

void yield()
{
    tellBlock();
    poll();
}

namespace {

// ---- receiving ----
uint8_t sum;
bool timedOut;

int readRaw()
{
    const unsigned long t0 = millis();
    while (!Serial.available())
        if (millis() - t0 > 3000) { timedOut = true; return -1; }
    return Serial.read();
}
uint8_t readByte() { const int b = readRaw(); if (b < 0) return 0; sum ^= uint8_t(b); return uint8_t(b); }
int32_t readWord(Field f) { const uint8_t lo = readByte(); const uint8_t hi = readByte(); return WireFormat::decode(lo, hi, f); }

Device *deviceAt(int8_t pos)
{
    for (uint8_t i = 0; i < deviceCount; ++i) if (devices[i].position == pos) return &devices[i];
    return nullptr;
}
bool isDeviceCode(int32_t c)
{
    switch (c) { case 50: case 60: case 110: case 120: case 130: case 140: case 145: case 150: case 165: case 170: case 176: return true; }
    return false;
}
bool isContainer(uint8_t c)
{
    switch (c) { case 70: case 72: case 94: case 95: case 141: case 146: case 166: case 171: case 173: case 177: case 178: case 179: return true; }
    return false;
}
bool isCondition(uint8_t c) { return isContainer(c) && c != 70 && c != 72; }

Field p1Field(uint8_t c) { return c == 231 ? Field::Step : Field::Unsigned; }
Field p2Field(uint8_t c) { return (c == 171 || c == 179) ? Field::Temperature : Field::Unsigned; }

void drain()
{
    // Let the rest of the transfer pass; acknowledge end markers so the host finishes.
    unsigned long last = millis();
    while (millis() - last < 300) {
        if (Serial.available()) { if (Serial.read() == WireFormat::EndMarker) Serial.write(ReadyByte); last = millis(); }
    }
}

uint16_t objectSize(uint8_t code)
{
    switch (code) {
    case 50: return sizeof(MV_Robot);
    case 60: return sizeof(KELO_DCMotor);
    case 110: return sizeof(Speaker);
    case 120: return sizeof(LiquidCrystal_I2C);
    case 140: return sizeof(MV_SonicSensor);
    case 150: return sizeof(KELO_Servo);
    case 170: return sizeof(DHT);
    case 176: return sizeof(Kelo_BMP);
    }
    return 0;
}

// The device objects go at the far end of the arena, below nothing but each other;
// the blocks grow from the start and the texts down towards them.
bool placeDevices()
{
    for (uint8_t i = 0; i < deviceCount; ++i) {
        const uint16_t n = objectSize(devices[i].code);
        devices[i].object = nullptr;
        if (!n) continue;
        if (arenaBottom - arenaTop < n) return false;
        arenaBottom -= n;
        devices[i].object = arena + arenaBottom;
    }
    return true;
}

MV_Robot *theRobot = nullptr;
void robotEdge() { if (theRobot) theRobot->handleInterrupt(); }

// The set-up lines of the sketch, in device order.
void setUpDevices()
{
    for (uint8_t i = 0; i < deviceCount; ++i) {
        Device &d = devices[i];
        const int16_t *p = d.param;
        void *o = d.object;
        switch (d.code) {
        case 50: {
            MV_Robot *r = new (o) MV_Robot;
            theRobot = r;
            r->init(p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
            if (p[5] > 0) { pinMode(p[5], INPUT); attachInterrupt(digitalPinToInterrupt(p[5]), robotEdge, CHANGE); }
            pinMode(p[7], OUTPUT);
            break;
        }
        case 60: (new (o) KELO_DCMotor)->init(0, p[1], p[2]); break;
        case 110: new (o) Speaker(p[1]); break;
        case 120: {
            LiquidCrystal_I2C *l = new (o) LiquidCrystal_I2C(0x27, 2, 1, 0, 4, 5, 6, 7);
            l->begin(16, 2);
            l->setBacklightPin(3, POSITIVE);
            l->setBacklight(HIGH);
            l->print(F("LCD OK...."));
            break;
        }
        case 130: pinMode(p[1], OUTPUT); break;
        case 140: {
            MV_SonicSensor *s = new (o) MV_SonicSensor;
            s->setSonicParams(5, 400, p[1], p[2]);
            s->init();
            break;
        }
        case 150: (new (o) KELO_Servo)->init(p[1]); break;
        case 165: pinMode(p[1], INPUT); break;
        case 170: (new (o) DHT(uint8_t(p[1]), uint8_t(p[2])))->begin(); break;
        case 176: new (o) Kelo_BMP; break;
        }
    }
}

// Called when every device record is in (at the first block record): the devices are
// set up now, as the sketch's setup() does before loop(), so that the first block runs
// as soon as the transfer ends. The host pauses after each word, so the bytes that
// arrive meanwhile fit in the serial buffer.
const __FlashStringHelper *startDevices()
{
    if (!placeDevices()) return F("Morvane: program too big for this board");
    setUpDevices();
    return nullptr;
}

const __FlashStringHelper *receive()
{
    arenaTop = 0; arenaBottom = ArenaSize; deviceCount = 0; blockCount = 0; loaded = false; timedOut = false;
    Serial.write(ReadyByte);
    readRaw();  // the count byte: records are read up to the end marker instead
    sum = 0;
    bool inDevices = true;
    blocks = reinterpret_cast<Block *>(arena);
    for (;;) {
        const int first = readRaw();
        if (timedOut) return F("Morvane: transfer timed out");
        if (first == WireFormat::EndMarker) break;
        sum ^= uint8_t(first);
        const uint8_t hi = readByte();
        const int32_t w0 = WireFormat::decode(uint8_t(first), hi, Field::Unsigned);
        if (inDevices && w0 != 1) {
            if (!isDeviceCode(w0)) return F("Morvane: unknown device set-up record");
            const int32_t pos = readWord(Field::MinusOne);
            const int32_t a = readWord(Field::MinusOne);
            readWord(Field::MinusOne); readWord(Field::MinusOne);
            const int32_t b = readWord(Field::MinusOne);
            Device *d = deviceAt(int8_t(pos));
            if (!d) {
                if (deviceCount >= MaxDevices) return F("Morvane: too many devices");
                d = &devices[deviceCount++];
                memset(d, 0, sizeof *d);
                d->code = uint8_t(w0); d->position = int8_t(pos);
                d->param[7] = 0;
                d->object = nullptr;
                d->param[0] = 0;  // records received so far for this device
            }
            const uint8_t k = uint8_t(d->param[0]);
            if (k < 4) { d->param[2 * k + 1] = int16_t(a); if (2 * k + 2 <= 7) d->param[2 * k + 2] = int16_t(b); }
            d->param[0] = k + 1;
            continue;
        }
        if (inDevices) {
            inDevices = false;
            if (const __FlashStringHelper *err = startDevices()) return err;
        }
        if (arenaTop + sizeof(Block) > arenaBottom) return F("Morvane: program too big for this board");
        Block &bl = blocks[blockCount++];
        arenaTop += sizeof(Block);
        bl.cmd = uint8_t(w0);
        bl.dev = int8_t(readWord(Field::MinusOne));
        bl.p1 = int16_t(readWord(p1Field(bl.cmd)));
        const int32_t v1 = readWord(Field::MinusOne), v2 = readWord(Field::MinusOne);
        bl.v1 = v1 < 0 ? 0xFF : uint8_t(v1);
        bl.v2 = v2 < 0 ? 0xFF : uint8_t(v2);
        bl.jump = 0;
        if (bl.cmd == 121 || bl.cmd == 125) {
            const int32_t n = readWord(Field::Unsigned);
            if (n <= 0) { bl.p2 = -1; continue; }
            if (arenaBottom - n < arenaTop) return F("Morvane: program too big for this board");
            arenaBottom -= uint16_t(n);
            for (int32_t i = 0; i < n - 1; ++i) arena[arenaBottom + i] = readByte();
            if (readByte() != 0) return F("Morvane: unreadable text in a block");
            arena[arenaBottom + n - 1] = 0;
            bl.p2 = int16_t(arenaBottom);
        } else {
            bl.p2 = int16_t(readWord(p2Field(bl.cmd)));
        }
        if (timedOut) return F("Morvane: transfer timed out");
    }
    if (inDevices)
        if (const __FlashStringHelper *err = startDevices()) return err;
    Serial.write(ReadyByte);
    int c;
    do {
        c = readRaw();
        if (c == WireFormat::EndMarker) Serial.write(ReadyByte);
    } while (c == WireFormat::EndMarker);
    if (timedOut) return F("Morvane: no checksum");
    if (uint8_t(c) != WireFormat::finalChecksum(sum)) return F("Morvane: checksum error, program not run");
    return nullptr;
}

// ---- after receiving: nesting, variables, devices ----
const uint8_t MaxDepth = 24;

const __FlashStringHelper *link()
{
    uint16_t open[MaxDepth];    // the container, or its else header once seen
    uint16_t opener[MaxDepth];  // the container
    uint8_t depth = 0;
    for (uint16_t i = 0; i < blockCount; ++i) {
        Block &b = blocks[i];
        if (b.cmd == 100) {
            if (depth == 0 || !isCondition(blocks[open[depth - 1]].cmd) || blocks[open[depth - 1]].jump)
                return F("Morvane: misplaced else");
            blocks[open[depth - 1]].jump = i;
            open[depth - 1] = i;
        } else if (b.cmd == 99) {
            if (depth == 0) return F("Morvane: unmatched end block");
            blocks[open[--depth]].jump = i;
            b.jump = opener[depth];
        } else if (isContainer(b.cmd)) {
            if (depth == MaxDepth) return F("Morvane: blocks nested too deep");
            b.jump = 0;
            opener[depth] = i;
            open[depth++] = i;
        }
        if (isCondition(b.cmd) && (b.p1 < 0 || b.p1 > 6)) return F("Morvane: unknown comparison");
    }
    if (depth != 0) return F("Morvane: container without end block");
    return nullptr;
}

// Whether a device of this type gives the reading r (the value blocks 75..82).
bool gives(uint8_t code, uint8_t r)
{
    switch (r) {
    case 75: case 76: return code == 170;
    case 77: return code == 140;
    case 78: return code == 176 || code == 165;
    case 79: case 80: return code == 176;
    case 82: return code == 50;
    }
    return false;
}

// The value block does not say which device: each reading comes from the first device
// that gives it (-1: none), found once before the run.
const uint8_t ReadingCount = 8;
int8_t readingDevice[ReadingCount];
void findReadingDevices()
{
    for (uint8_t k = 0; k < ReadingCount; ++k) {
        readingDevice[k] = -1;
        for (uint8_t i = 0; i < deviceCount && readingDevice[k] < 0; ++i)
            if (gives(devices[i].code, uint8_t(75 + k))) readingDevice[k] = int8_t(i);
    }
}

// Variables are known only by their ids; each id used gets a slot.
uint8_t varIds[32];
uint8_t slotOf(uint8_t id)
{
    for (uint8_t i = 0; i < varCount; ++i) if (varIds[i] == id) return i;
    if (varCount == sizeof varIds) return 0xFE;
    varIds[varCount] = id;
    return varCount++;
}

// The device type a command acts on, 0 for none; whether the command takes the first
// device of that type when the named one is not of it (the sketch's object commands
// compile only with a device of the type, while pin commands use the named device's pin).
uint8_t deviceCodeOf(uint8_t cmd, bool &firstOfTypeWillDo)
{
    firstOfTypeWillDo = true;
    switch (cmd) {
    case 51: case 52: case 53: case 54: case 55: case 56: return 50;
    case 61: return 60;
    case 111: case 112: return 110;
    case 121: case 122: case 123: case 124: case 125: return 120;
    case 141: return 140;
    case 151: case 152: case 153: case 154: return 150;
    case 171: case 173: return 170;
    case 177: case 178: case 179: return 176;
    }
    firstOfTypeWillDo = false;
    switch (cmd) {
    case 131: case 132: return 130;
    case 146: return 145;
    case 166: return 165;
    }
    return 0;
}

// The block's device position becomes its index among the devices, so that running a
// block looks nothing up. The display commands name no device: the first display.
int8_t deviceIndexFor(const Block &b)
{
    bool firstWillDo;
    const uint8_t code = deviceCodeOf(b.cmd, firstWillDo);
    if (!code) return -1;
    int8_t first = -1;
    for (uint8_t i = 0; i < deviceCount; ++i) {
        if (devices[i].code != code) continue;
        if (devices[i].position == b.dev && code != 120) return int8_t(i);
        if (first < 0) first = int8_t(i);
    }
    return firstWillDo ? first : -1;
}

const __FlashStringHelper *bindValues()
{
    varCount = 0;
    findReadingDevices();
    for (uint16_t i = 0; i < blockCount; ++i) {
        Block &b = blocks[i];
        b.dev = deviceIndexFor(b);
        uint8_t *v[2] = {&b.v1, &b.v2};
        for (uint8_t k = 0; k < 2; ++k) {
            if (*v[k] == 0xFF) continue;
            if (*v[k] >= 75 && *v[k] <= 82 && readingDevice[*v[k] - 75] >= 0) { *v[k] = uint8_t(0xF0 + (*v[k] - 75)); continue; }
            *v[k] = slotOf(*v[k]);
            if (*v[k] >= 0xF0) return F("Morvane: too many variables");
        }
        if (b.cmd == 230 || b.cmd == 231) {
            if (b.p2 < 0 || b.p2 > 254) return F("Morvane: variable id out of range");
            b.p2 = slotOf(uint8_t(b.p2));
            if (b.p2 >= 0xF0) return F("Morvane: too many variables");
        }
    }
    const uint16_t need = 2 * varCount;
    if (arenaTop + need > arenaBottom) return F("Morvane: program too big for this board");
    vars = reinterpret_cast<int16_t *>(arena + arenaTop);
    arenaTop += need;
    return nullptr;
}

// ---- running ----
// A value as the sketch's expression has it: an int, or a float for the readings
// that return one.
struct Value {
    bool isFloat;
    long i;
    float f;
    long asLong() const { return isFloat ? long(f) : i; }
    int asInt() const { return isFloat ? int(f) : int(i); }
};
Value intValue(long v) { Value r; r.isFloat = false; r.i = v; r.f = 0; return r; }
Value floatValue(float v) { Value r; r.isFloat = true; r.i = 0; r.f = v; return r; }

template <class T> T *objectOf(const Block &b)
{
    return b.dev < 0 ? nullptr : static_cast<T *>(devices[b.dev].object);
}
// The pin of a block's LED, switch or analogue input (the block has one: dev >= 0).
uint8_t pinOf(const Block &b)
{
    return uint8_t(devices[b.dev].param[1]);
}

// A reading in a slot (bound only when some device gives it).
Value reading(uint8_t r)
{
    const Device &d = devices[readingDevice[r - 75]];
    switch (r) {
    case 75: return floatValue(static_cast<DHT *>(d.object)->readTemperature());
    case 76: return floatValue(static_cast<DHT *>(d.object)->readHumidity());
    case 77: return intValue(static_cast<MV_SonicSensor *>(d.object)->distanceFront());
    case 78:
        if (d.code == 176) return floatValue(static_cast<Kelo_BMP *>(d.object)->getPressure());
        return intValue(analogRead(d.param[1]));
    case 79: return floatValue(static_cast<Kelo_BMP *>(d.object)->getRelPressure());
    case 80: return floatValue(static_cast<Kelo_BMP *>(d.object)->getTemperature());
    case 82: return intValue(static_cast<MV_Robot *>(d.object)->getDistance());
    }
    return intValue(0);
}

Value slot(uint8_t v, int16_t constant)
{
    if (v == 0xFF) return intValue(constant);
    if (v >= 0xF0) return reading(uint8_t(75 + (v - 0xF0)));
    return intValue(vars[v]);
}
// A slot holding a sensor reading (which may be a float), not a constant or a variable.
bool holdsReading(uint8_t v) { return v >= 0xF0 && v != 0xFF; }
// slot(v, constant).asInt() without building a Value for the usual constants and variables.
int intSlot(uint8_t v, int16_t constant)
{
    if (v == 0xFF) return constant;
    if (v < 0xF0) return vars[v];
    return slot(v, constant).asInt();
}
void wait(const Value &v) { delay(v.isFloat ? (unsigned long)v.f : (unsigned long)v.i); }

template <class A> bool compareWith(uint8_t op, A a, A b)
{
    switch (op) {
    case 1: return a != b;
    case 2: return a > b;
    case 3: return a < b;
    case 5: return a >= b;
    case 6: return a <= b;
    }
    return a == b;
}
bool compare(uint8_t op, const Value &a, const Value &b)
{
    if (a.isFloat || b.isFloat)
        return compareWith<float>(op, a.isFloat ? a.f : float(a.i), b.isFloat ? b.f : float(b.i));
    return compareWith<long>(op, a.i, b.i);
}

void halt()
{
    for (;;) poll();
}

void printText(LiquidCrystal_I2C *l, int16_t offset)
{
    if (offset < 0) return;
    // The host sends the low byte of each character: Greek letters arrive as
    // 0x84..0xCE, the degree sign as 0xB0. The display library takes UTF-8.
    for (const uint8_t *s = arena + offset; *s; ++s) {
        if (*s < 0x80) { l->write(*s); continue; }
        const uint16_t cp = *s == 0xB0 ? 0xB0 : uint16_t(0x300 + *s);
        l->write(uint8_t(0xC0 | (cp >> 6)));
        l->write(uint8_t(0x80 | (cp & 0x3F)));
    }
}
void printValue(LiquidCrystal_I2C *l, const Value &v)
{
    if (v.isFloat) l->print(v.f); else l->print(int(v.i));
}

bool condition(const Block &b)
{
    const uint8_t op = uint8_t(b.p1);
    int measured;
    switch (b.cmd) {
    case 94: case 95:
        return compareWith<int>(op, digitalRead(uint8_t(intSlot(b.v2, b.p2))), b.cmd == 94 ? HIGH : LOW);
    case 146: {
        if (b.dev < 0) return false;
        const bool high = digitalRead(pinOf(b)) == HIGH;
        return b.p1 == 1 ? !high : high;
    }
    case 141: { MV_SonicSensor *s = objectOf<MV_SonicSensor>(b); measured = s ? s->distanceFront() : 0; break; }
    case 166: measured = b.dev < 0 ? 0 : analogRead(pinOf(b)); break;
    default: {
        // The readings that are floats; the measurement first, then the limit (a
        // reading in the limit's slot is read once).
        float x = 0;
        switch (b.cmd) {
        case 171: { DHT *d = objectOf<DHT>(b); if (d) x = d->readTemperature(); break; }
        case 173: { DHT *d = objectOf<DHT>(b); if (d) x = d->readHumidity(); break; }
        case 177: { Kelo_BMP *d = objectOf<Kelo_BMP>(b); if (d) x = d->getPressure(); break; }
        case 178: { Kelo_BMP *d = objectOf<Kelo_BMP>(b); if (d) x = d->getRelPressure(); break; }
        case 179: { Kelo_BMP *d = objectOf<Kelo_BMP>(b); if (d) x = d->getTemperature(); break; }
        default: return false;
        }
        return compare(op, floatValue(x), slot(b.v2, b.p2));
    }
    }
    // An int measurement against a constant or a variable: no Value needed.
    if (!holdsReading(b.v2)) return compareWith<int>(op, measured, intSlot(b.v2, b.p2));
    return compare(op, intValue(measured), slot(b.v2, b.p2));
}

// Whether a counted loop runs once more after `done` turns: the count is taken again
// before every turn, as the sketch's for loop does.
bool turnsLeft(const Block &loop, int done)
{
    if (!holdsReading(loop.v1)) return done < intSlot(loop.v1, loop.p1);
    return compare(3, intValue(done), slot(loop.v1, loop.p1));
}

// Counters of the counted loops being run, innermost last.
int counters[MaxDepth];

// Runs the program, repeating it as the sketch's loop() repeats; it is left only by
// the stop command's long jump. The blocks are run in one flat loop: a container's
// jumps and its end block's way back stand for the sketch's braces.
void run()
{
    uint8_t depth = 0;
    uint16_t i = 0;
    for (;;) {
        if (i >= blockCount) {
            poll();
            i = 0;
            continue;
        }
        const Block &b = blocks[i];
        morvaneRunningBlock = i;
        switch (b.cmd) {
        case 2: halt(); break;
        case 70:
            if (!turnsLeft(b, 0)) { i = b.jump + 1; continue; }
            counters[depth++] = 0;
            poll();
            break;
        case 72: poll(); break;
        case 99: {
            const Block &container = blocks[b.jump];
            if (container.cmd == 70) {
                if (turnsLeft(container, ++counters[depth - 1])) { poll(); i = b.jump + 1; continue; }
                --depth;
            } else if (container.cmd == 72) {
                poll();
                i = b.jump + 1;
                continue;
            }
            break;
        }
        // Reached at the end of a condition's true branch: on past the end block.
        case 100: i = b.jump + 1; continue;
        case 94: case 95: case 141: case 146: case 166: case 171: case 173: case 177: case 178: case 179:
            // Not met: on into the else branch, or past the end block.
            if (!condition(b)) { i = b.jump + 1; continue; }
            break;
        case 200: pinMode(uint8_t(intSlot(b.v1, b.p1)), OUTPUT); break;
        case 201: pinMode(uint8_t(intSlot(b.v1, b.p1)), INPUT); break;
        case 202: digitalWrite(uint8_t(intSlot(b.v1, b.p1)), HIGH); break;
        case 203: digitalWrite(uint8_t(intSlot(b.v1, b.p1)), LOW); break;
        case 250:
            if (b.v1 == 0xFF) {
                tellWait = b.p1 >= 20;
                delay((unsigned long)(long)b.p1);
            } else {
                const Value v = slot(b.v1, b.p1);
                tellWait = v.asLong() >= 20;
                wait(v);
            }
            tellWait = false;
            break;
        case 230: vars[b.p2] = int16_t(intSlot(b.v1, b.p1)); break;
        case 231: {
            const Value v = slot(b.v1, b.p1);
            vars[b.p2] = v.isFloat ? int16_t(int(float(vars[b.p2]) + v.f)) : int16_t(vars[b.p2] + v.i);
            break;
        }
        case 121: case 122: case 123: case 124: case 125: {
            LiquidCrystal_I2C *l = objectOf<LiquidCrystal_I2C>(b);
            if (!l) break;
            if (b.cmd == 122) l->clear();
            else if (b.cmd == 123) l->setCursor(uint8_t(intSlot(b.v1, b.p1)), uint8_t(intSlot(b.v2, b.p2)));
            else if (b.cmd == 124) printValue(l, slot(b.v1, b.p1));
            else { printText(l, b.p2); if (b.cmd == 125) printValue(l, slot(b.v1, b.p1)); }
            break;
        }
        case 131: if (b.dev >= 0) digitalWrite(pinOf(b), HIGH); break;
        case 132: if (b.dev >= 0) digitalWrite(pinOf(b), LOW); break;
        case 111: { Speaker *s = objectOf<Speaker>(b); if (s) s->Beep(); break; }
        case 112: { Speaker *s = objectOf<Speaker>(b); if (s) s->PlayTone(slot(b.v1, b.p1).asLong(), slot(b.v2, b.p2).asLong()); break; }
        case 151: case 152: case 153: case 154: {
            KELO_Servo *s = objectOf<KELO_Servo>(b);
            if (!s) break;
            const int deg = intSlot(b.v1, b.p1);
            if (b.cmd == 151) s->servoLeftAt(deg); else if (b.cmd == 152) s->servoRightAt(deg);
            else if (b.cmd == 153) s->servoLeft(deg); else s->servoRight(deg);
            break;
        }
        case 61: { KELO_DCMotor *m = objectOf<KELO_DCMotor>(b); if (m) m->run(b.p1); break; }
        case 51: case 52: case 53: case 54: case 55: case 56: {
            MV_Robot *r = objectOf<MV_Robot>(b);
            if (!r) break;
            if (b.cmd == 51) r->run(b.p1);
            else if (b.cmd == 52) { const int deg = intSlot(b.v2, b.p2); if (b.p1 == 6) r->turnLeft(deg); else r->turnRight(deg); }
            else if (b.cmd == 53) { if (b.p1 == 2) r->stepBackward; else r->stepForward; }
            else if (b.cmd == 54) {
                if (b.p1 == 6) r->goLeft(); else r->goRight();
                wait(slot(b.v2, b.p2));
                r->run(4);
            }
            else if (b.cmd == 55) r->setStepTicks(intSlot(b.v1, b.p1));
            else r->setSpeed(intSlot(b.v1, b.p1));
            break;
        }
        }
        ++i;
    }
}

void stopOutputs()
{
    for (uint8_t i = 0; i < deviceCount; ++i) {
        Device &d = devices[i];
        if (!d.object) continue;
        if (d.code == 50) static_cast<MV_Robot *>(d.object)->run(4);
        if (d.code == 60) static_cast<KELO_DCMotor *>(d.object)->run(4);
        if (d.code == 110) digitalWrite(d.param[1], LOW);
    }
}

// A new program starts from the state a reset leaves.
void clearBoard()
{
    for (uint8_t i = 0; i < deviceCount; ++i)
        if (devices[i].code == 50 && devices[i].param[5] > 0) detachInterrupt(digitalPinToInterrupt(devices[i].param[5]));
    theRobot = nullptr;
    KELO_Servo::releaseAll();
    TWCR = 0;
    for (uint8_t p = 2; p < NUM_DIGITAL_PINS; ++p) { pinMode(p, INPUT); digitalWrite(p, LOW); }
    deviceCount = 0;
}

} // namespace

void setup()
{
    Serial.begin(9600);
    say(F("Morvane ready"));
}

void loop()
{
    if (!Serial.available()) return;
    const int b = Serial.read();
    if (b != StartByte) return;
    if (loaded) stopOutputs();
    clearBoard();
    const __FlashStringHelper *err = receive();
    if (!err) err = link();
    if (!err) err = bindValues();
    if (err) {
        // Devices set up during the transfer are let go before anything else is received.
        stopOutputs();
        clearBoard();
        drain();
        say(err);
        return;
    }
    loaded = true;
    for (uint8_t i = 0; i < varCount; ++i) vars[i] = 0;
    // Not flushed: the line goes out by interrupt while the first blocks run.
    say(F("Program start"));
    toldBlock = 0xFFFF;
    if (setjmp(stopPoint) == 0) {
        running = true;
        run();
    }
    running = false;
    morvaneRunningBlock = 0xFFFF;
    stopOutputs();
    say(F("Program stopped"));
}
