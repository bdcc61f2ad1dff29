// The three board pinouts. Every pin a device can use carries, in a coloured box, the
// number the pupil picks in a set-up window's pin spin box (A0 is 14 on the Uno and
// the Nano, 54 on the Mega); pins beyond the spin boxes' range show only their name.
#include "Canvas.h"
#include "Pictures.h"

#include <QtMath>

using namespace Qt::StringLiterals;

namespace {

enum class Kind { Digital, Analog, AnalogOnly, I2c, Power, Ground, Other };

struct BoardPin {
    QString silk;   // what the board prints beside the pin
    QString number; // the spin box number, or the supply's name; empty for none
    Kind kind;
};

enum class Side { Above, Below, Left, Right };

const QColor Silk(240, 248, 250);

QColor kindColour(Kind kind)
{
    switch (kind) {
    case Kind::Digital:
        return QColor(0, 135, 65);
    case Kind::Analog:
        return QColor(230, 115, 0);
    case Kind::I2c:
        return Wire::Bus;
    case Kind::Power:
        return Wire::Supply;
    case Kind::Ground:
        return Wire::Ground;
    case Kind::AnalogOnly:
    case Kind::Other:
        return QColor(140, 140, 140);
    }
    return Qt::gray;
}

BoardPin digital(int n, bool pwm = false, const QString &extra = QString())
{
    QString silk = (pwm ? u"~"_s : QString()) + QString::number(n);
    if (!extra.isEmpty())
        silk = extra + u' ' + silk;
    return {silk, QString::number(n), Kind::Digital};
}

BoardPin analog(int index, int firstNumber, int maxPin)
{
    const int n = firstNumber + index;
    const QString silk = u"A"_s + QString::number(index);
    return n <= maxPin ? BoardPin{silk, QString::number(n), Kind::Analog}
                       : BoardPin{silk, QString(), Kind::AnalogOnly};
}

BoardPin power(const QString &name)
{
    return {name, name, Kind::Power};
}

BoardPin ground()
{
    return {u"GND"_s, u"GND"_s, Kind::Ground};
}

BoardPin other(const QString &name)
{
    return {name, QString(), Kind::Other};
}

// One row (or column) of header sockets; the silkscreen goes on the board side, the
// number boxes outside, on the given side.
void header(Canvas &c, QPointF first, qreal pitch, const QList<BoardPin> &pins, Side side,
            qreal calloutGap = 34, bool silk = true)
{
    QPainter &p = c.p();
    const bool horizontal = side == Side::Above || side == Side::Below;
    const QPointF step = horizontal ? QPointF(pitch, 0) : QPointF(0, pitch);
    QPointF out;
    switch (side) {
    case Side::Above:
        out = QPointF(0, -1);
        break;
    case Side::Below:
        out = QPointF(0, 1);
        break;
    case Side::Left:
        out = QPointF(-1, 0);
        break;
    case Side::Right:
        out = QPointF(1, 0);
        break;
    }
    const qreal s = std::min(pitch * 0.9, 22.0);
    for (int i = 0; i < pins.size(); ++i) {
        const BoardPin &pin = pins[i];
        const QPointF centre = first + step * i;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(25, 25, 25));
        p.drawRect(QRectF(centre.x() - s / 2, centre.y() - s / 2, s, s));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(centre.x() - s / 5, centre.y() - s / 5, s * 0.4, s * 0.4));

        if (silk && horizontal) {
            const QFontMetricsF fm(Canvas::font(10, true));
            const qreal half = fm.horizontalAdvance(pin.silk) / 2 + 2;
            c.verticalText(centre - out * (s / 2 + 4 + half), pin.silk, 10, Silk, true);
        }
        if (pin.number.isEmpty())
            continue;
        bool isNumber = true;
        for (QChar ch : pin.number)
            isNumber = isNumber && ch.isDigit();
        const qreal bw = horizontal ? std::max(pitch - 3, 24.0) : 30;
        const qreal bh = horizontal ? 26 : std::max(pitch - 2, 15.0);
        const QPointF boxCentre = centre + out * calloutGap;
        const QRectF box(boxCentre.x() - bw / 2, boxCentre.y() - bh / 2, bw, bh);
        const QColor colour = kindColour(pin.kind);
        p.setPen(QPen(colour, 1.5));
        p.drawLine(centre + out * (s / 2), boxCentre - out * ((horizontal ? bh : bw) / 2));
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(box, 4, 4);
        const qreal px = isNumber ? (horizontal ? 14 : 11) : (pin.number.size() > 3 ? 8 : 10);
        c.text(box, pin.number, px, Qt::white, true);
    }
}

void usbB(Canvas &c, const QRectF &r)
{
    QPainter &p = c.p();
    QLinearGradient metal(0, r.top(), 0, r.bottom());
    metal.setColorAt(0, QColor(230, 230, 235));
    metal.setColorAt(1, QColor(160, 160, 170));
    p.setPen(QPen(QColor(110, 110, 120), 1.5));
    p.setBrush(metal);
    p.drawRect(r);
    c.text(r, u"USB"_s, 13, QColor(70, 70, 80), true);
}

void powerJack(Canvas &c, const QRectF &r)
{
    QPainter &p = c.p();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(r);
    p.setBrush(QColor(120, 120, 120));
    p.drawEllipse(QPointF(r.left() + 16, r.center().y()), 8, 8);
}

void chip(Canvas &c, const QRectF &r, const QString &name, qreal angle = 0)
{
    QPainter &p = c.p();
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF local(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(180, 180, 185), 3, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(local.adjusted(-3, -3, 3, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 32));
    p.drawRect(local);
    c.text(local, name, 11, QColor(200, 200, 200), true);
    p.restore();
}

struct LegendEntry {
    QString sample;
    Kind kind;
    QString text;
};

void legend(Canvas &c, qreal top, const QList<LegendEntry> &entries, int columns)
{
    const qreal colWidth = (c.width() - 40) / columns;
    for (int i = 0; i < entries.size(); ++i) {
        const qreal x = 20 + (i % columns) * colWidth;
        const qreal y = top + (i / columns) * 30;
        const LegendEntry &e = entries[i];
        QPainter &p = c.p();
        p.setPen(Qt::NoPen);
        p.setBrush(kindColour(e.kind));
        const QRectF box(x, y, 40, 24);
        p.drawRoundedRect(box, 4, 4);
        c.text(box, e.sample, e.sample.size() > 3 ? 9 : 13, Qt::white, true);
        c.text(QRectF(x + 48, y, colWidth - 52, 24), e.text, 13, QColor(30, 30, 30), false,
               Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void uno(Canvas &c)
{
    c.title(u"Arduino Uno: οι αριθμοί των Pin"_s,
            u"Στη ρύθμιση της συσκευής, στο «Pin», διαλέγεις τον αριθμό του χρωματιστού κουτιού"_s);
    const QRectF board(70, 150, 760, 330);
    c.board(board, QColor(0, 122, 135));
    usbB(c, QRectF(40, 178, 110, 80));
    powerJack(c, QRectF(45, 392, 100, 62));
    chip(c, QRectF(430, 350, 270, 46), u"ATmega328P"_s);
    c.text(QRectF(330, 250, 460, 40), u"ARDUINO  UNO"_s, 30, Silk, true);

    const qreal top = board.top() + 16;
    header(c, QPointF(250, top), 30,
           {{u"SCL"_s, u"19"_s, Kind::I2c}, {u"SDA"_s, u"18"_s, Kind::I2c}, other(u"AREF"_s),
            ground(), digital(13), digital(12), digital(11, true), digital(10, true),
            digital(9, true), digital(8)},
           Side::Above);
    header(c, QPointF(556, top), 30,
           {digital(7), digital(6, true), digital(5, true), digital(4), digital(3, true),
            digital(2), digital(1, false, u"TX"_s), digital(0, false, u"RX"_s)},
           Side::Above);
    const qreal bottom = board.bottom() - 16;
    header(c, QPointF(330, bottom), 30,
           {other(u"NC"_s), other(u"IOREF"_s), other(u"RESET"_s), power(u"3.3V"_s),
            power(u"5V"_s), ground(), ground(), power(u"VIN"_s)},
           Side::Below);
    QList<BoardPin> analogs;
    for (int i = 0; i < 6; ++i)
        analogs.append(analog(i, 14, 19));
    analogs[4].kind = Kind::I2c;
    analogs[5].kind = Kind::I2c;
    header(c, QPointF(580, bottom), 30, analogs, Side::Below);

    legend(c, 540,
           {{u"7"_s, Kind::Digital, u"Ψηφιακό pin (~ = PWM: 3, 5, 6, 9, 10, 11)"_s},
            {u"14"_s, Kind::Analog, u"Αναλογικό: A0 = 14, A1 = 15 … A5 = 19"_s},
            {u"18"_s, Kind::I2c, u"I2C: SDA = A4 (18), SCL = A5 (19)"_s},
            {u"5V"_s, Kind::Power, u"Τάση 5V, 3.3V · VIN: από μπαταρία"_s},
            {u"GND"_s, Kind::Ground, u"Γείωση: το − κάθε συσκευής"_s},
            {u"0"_s, Kind::Digital, u"0, 1 (RX, TX): τα θέλει το USB, άφησέ τα"_s}},
           2);
}

void nano(Canvas &c)
{
    c.title(u"Arduino Nano: οι αριθμοί των Pin"_s,
            u"Στη ρύθμιση της συσκευής, στο «Pin», διαλέγεις τον αριθμό του χρωματιστού κουτιού"_s);
    const QRectF board(170, 190, 590, 170);
    c.board(board, QColor(0, 85, 160));
    usbB(c, QRectF(120, 245, 78, 60));
    chip(c, QRectF(602, 256, 34, 34), QString(), 45);
    c.text(QRectF(300, 258, 160, 34), u"ARDUINO NANO"_s, 18, Silk, true);

    QList<BoardPin> upper{digital(13, false, u"D"_s), power(u"3V3"_s), other(u"REF"_s)};
    for (int i = 0; i < 8; ++i)
        upper.append(analog(i, 14, 19));
    upper[7].kind = Kind::I2c;
    upper[8].kind = Kind::I2c;
    upper << power(u"5V"_s) << other(u"RST"_s) << ground() << power(u"VIN"_s);
    upper[0].silk = u"D13"_s;
    header(c, QPointF(213, board.top() + 16), 36, upper, Side::Above, 40);

    QList<BoardPin> lower;
    for (int n = 12; n >= 2; --n) {
        const bool pwm = n == 3 || n == 5 || n == 6 || n == 9 || n == 10 || n == 11;
        BoardPin pin = digital(n, pwm);
        pin.silk = (pwm ? u"~D"_s : u"D"_s) + QString::number(n);
        lower.append(pin);
    }
    lower << ground() << other(u"RST"_s) << BoardPin{u"RX0"_s, u"0"_s, Kind::Digital}
          << BoardPin{u"TX1"_s, u"1"_s, Kind::Digital};
    header(c, QPointF(213, board.bottom() - 16), 36, lower, Side::Below, 40);

    legend(c, 430,
           {{u"7"_s, Kind::Digital, u"Ψηφιακό pin: D7 = 7 (~ = PWM)"_s},
            {u"14"_s, Kind::Analog, u"Αναλογικό: A0 = 14, A1 = 15 … A5 = 19"_s},
            {u"18"_s, Kind::I2c, u"I2C: SDA = A4 (18), SCL = A5 (19)"_s},
            {u"A6"_s, Kind::AnalogOnly, u"A6, A7: μόνο αναλογικά, όχι στη λίστα"_s},
            {u"5V"_s, Kind::Power, u"Τάση 5V, 3V3 · VIN: από μπαταρία"_s},
            {u"GND"_s, Kind::Ground, u"Γείωση: το − κάθε συσκευής"_s}},
           2);
}

void mega(Canvas &c)
{
    c.title(u"Arduino Mega 2560: οι αριθμοί των Pin"_s,
            u"Στη ρύθμιση της συσκευής, στο «Pin», διαλέγεις τον αριθμό του χρωματιστού κουτιού"_s);
    const QRectF board(60, 160, 1140, 380);
    c.board(board, QColor(0, 122, 135));
    usbB(c, QRectF(30, 190, 110, 80));
    powerJack(c, QRectF(35, 430, 100, 62));
    chip(c, QRectF(560, 320, 96, 96), u"ATmega\n2560"_s, 45);
    c.text(QRectF(230, 330, 300, 40), u"ARDUINO MEGA 2560"_s, 22, Silk, true);

    const qreal top = board.top() + 16;
    QList<BoardPin> first{{u"SCL"_s, u"21"_s, Kind::I2c}, {u"SDA"_s, u"20"_s, Kind::I2c},
                          other(u"AREF"_s), ground()};
    for (int n = 13; n >= 8; --n)
        first.append(digital(n, true));
    header(c, QPointF(200, top), 28, first, Side::Above);
    QList<BoardPin> second;
    for (int n = 7; n >= 2; --n)
        second.append(digital(n, true));
    second << digital(1, false, u"TX0"_s) << digital(0, false, u"RX0"_s);
    header(c, QPointF(500, top), 28, second, Side::Above);
    const QString serial[6] = {u"TX3"_s, u"RX3"_s, u"TX2"_s, u"RX2"_s, u"TX1"_s, u"RX1"_s};
    QList<BoardPin> third;
    for (int n = 14; n <= 19; ++n)
        third.append(digital(n, false, serial[n - 14]));
    third << BoardPin{u"SDA 20"_s, u"20"_s, Kind::I2c} << BoardPin{u"SCL 21"_s, u"21"_s, Kind::I2c};
    header(c, QPointF(744, top), 28, third, Side::Above);

    // The double row at the right end: even pins inside, odd pins outside.
    const qreal rowTop = board.top() + 34, pitch = 18.5;
    QList<BoardPin> inner{power(u"5V"_s)}, outer{power(u"5V"_s)};
    for (int n = 22; n <= 52; n += 2) {
        inner.append(digital(n, n == 44 || n == 46));
        outer.append(digital(n + 1, n + 1 == 45));
    }
    inner.append(ground());
    outer.append(ground());
    header(c, QPointF(1146, rowTop), pitch, inner, Side::Left, 30, false);
    header(c, QPointF(1170, rowTop), pitch, outer, Side::Right, 54, false);

    const qreal bottom = board.bottom() - 16;
    header(c, QPointF(320, bottom), 28,
           {other(u"NC"_s), other(u"IOREF"_s), other(u"RESET"_s), power(u"3.3V"_s),
            power(u"5V"_s), ground(), ground(), power(u"VIN"_s)},
           Side::Below);
    QList<BoardPin> analogLow, analogHigh;
    for (int i = 0; i < 8; ++i) {
        analogLow.append(analog(i, 54, 59));
        analogHigh.append(analog(i + 8, 54, 59));
    }
    header(c, QPointF(556, bottom), 28, analogLow, Side::Below);
    header(c, QPointF(792, bottom), 28, analogHigh, Side::Below);

    legend(c, 600,
           {{u"7"_s, Kind::Digital, u"Ψηφιακό pin (~ = PWM: 2 έως 13 και 44 έως 46)"_s},
            {u"54"_s, Kind::Analog, u"Αναλογικό: A0 = 54, A1 = 55 … A5 = 59"_s},
            {u"20"_s, Kind::I2c, u"I2C: SDA = 20, SCL = 21"_s},
            {u"A6"_s, Kind::AnalogOnly, u"A6 … A15: δεν υπάρχουν στη λίστα των Pin"_s},
            {u"5V"_s, Kind::Power, u"Τάση 5V, 3.3V · VIN: από μπαταρία"_s},
            {u"GND"_s, Kind::Ground, u"Γείωση: το − κάθε συσκευής"_s}},
           3);
}

} // namespace

QList<Picture> boardPinouts()
{
    return {
        {u"Arduino Uno Pin.png"_s, 900, 640, uno},
        {u"Arduino Nano Pin.png"_s, 940, 540, nano},
        {u"Arduino Mega Pin.png"_s, 1300, 680, mega},
    };
}
