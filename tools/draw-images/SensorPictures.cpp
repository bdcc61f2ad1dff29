// The temperature/humidity sensors, the barometer and the analogue sensors.
#include "Canvas.h"
#include "Pictures.h"

#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

const QColor Silk(245, 245, 245);

// A DHT11 or DHT22: a grille-fronted case with four legs, pin 1 on the left.
void dht(Canvas &c, const QString &name, const QColor &body, const QColor &holes,
         const QColor &print)
{
    c.title(u"Αισθητήρας "_s + name, u"με τις τρυπούλες μπροστά σου, ποδαράκια 1 έως 4"_s);
    QPainter &p = c.p();
    const QRectF box(145, 56, 110, 140);
    p.setPen(QPen(body.darker(150), 2));
    p.setBrush(body);
    p.drawRoundedRect(box, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(holes);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawRoundedRect(QRectF(box.left() + 12 + col * 18, box.top() + 10 + row * 15, 12,
                                     10),
                              2, 2);
    c.text(QRectF(box.left(), box.bottom() - 26, box.width(), 22), name, 15, print, true);
    const qreal xs[4] = {170, 190, 210, 230};
    p.setPen(QPen(QColor(175, 175, 185), 3.5, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(xs[i], box.bottom()), QPointF(xs[i], 222));
        c.textAt(QPointF(xs[i] + (i < 2 ? -8 : 8), 210), QString::number(i + 1), 11,
                 QColor(90, 90, 90), true);
    }
    c.tag(QPointF(170, 222), QPointF(50, TagTop), u"1 VCC"_s, u"5V"_s, Wire::Supply);
    c.tag(QPointF(190, 222), QPointF(150, TagTop), u"2 DATA"_s, u"Pin"_s, Wire::Signal);
    c.tag(QPointF(210, 222), QPointF(250, TagTop), u"3"_s, u"κενό"_s, Wire::Unused);
    c.tag(QPointF(230, 222), QPointF(350, TagTop), u"4 GND"_s, u"GND"_s, Wire::Ground);
}

void dht11(Canvas &c)
{
    dht(c, u"DHT11"_s, QColor(40, 120, 210), QColor(20, 70, 140), Qt::white);
}

void dht22(Canvas &c)
{
    dht(c, u"DHT22"_s, QColor(240, 240, 240), QColor(170, 170, 175), QColor(40, 40, 40));
}

// The AM2301 (DHT21): a black capsule on three coloured wires.
void dht21(Canvas &c)
{
    c.title(u"Αισθητήρας DHT21 (AM2301)"_s, u"3 καλώδια: κόκκινο, κίτρινο, μαύρο"_s);
    QPainter &p = c.p();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(30, 30, 32));
    p.drawRoundedRect(QRectF(110, 58, 180, 100), 22, 22);
    p.drawRoundedRect(QRectF(280, 92, 34, 32), 6, 6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(300, 108), 6, 6);
    p.setPen(QPen(QColor(90, 90, 95), 4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(135 + i * 22, 74), QPointF(135 + i * 22, 120));
    c.text(QRectF(110, 126, 180, 24), u"AM2301"_s, 14, Qt::white, true);
    const QColor yellow(230, 190, 0);
    const qreal from[3] = {185, 200, 215};
    const qreal to[3] = {100, 200, 300};
    const QColor colours[3] = {Wire::Supply, yellow, Wire::Ground};
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath w(QPointF(from[i], 158));
        w.cubicTo(QPointF(from[i], 200), QPointF(to[i], 195), QPointF(to[i], TagTop));
        p.setPen(QPen(colours[i], 4.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(w);
    }
    c.tag(QPointF(100, TagTop), QPointF(100, TagTop), u"Κόκκινο"_s, u"5V"_s, Wire::Supply, 96);
    c.tag(QPointF(200, TagTop), QPointF(200, TagTop), u"Κίτρινο"_s, u"Pin (DATA)"_s, yellow, 96);
    c.tag(QPointF(300, TagTop), QPointF(300, TagTop), u"Μαύρο"_s, u"GND"_s, Wire::Ground, 96);
}

void barometer(Canvas &c)
{
    c.title(u"Βαρόμετρο BMP180"_s, u"στο I2C: SDA και SCL"_s);
    QPainter &p = c.p();
    c.board(QRectF(120, 58, 160, 146), QColor(120, 50, 160));
    // The metal sensor can with its air hole.
    p.setPen(QPen(QColor(110, 110, 120), 1.5));
    p.setBrush(QColor(215, 215, 222));
    p.drawRoundedRect(QRectF(178, 92, 44, 44), 4, 4);
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPointF(212, 102), 4, 4);
    c.text(QRectF(120, 140, 160, 20), u"BMP180"_s, 13, Silk, true);
    const qreal xs[4] = {155, 185, 215, 245};
    const QString names[4] = {u"VIN"_s, u"GND"_s, u"SCL"_s, u"SDA"_s};
    for (int i = 0; i < 4; ++i) {
        c.text(QRectF(xs[i] - 16, 182, 32, 16), names[i], 10, Silk, true);
        c.pin(QPointF(xs[i], 204), QPointF(xs[i], 224));
    }
    c.tag(QPointF(155, 224), QPointF(52, TagTop), u"VIN"_s, u"5V"_s, Wire::Supply, 92);
    c.tag(QPointF(185, 224), QPointF(150, TagTop), u"GND"_s, u"GND"_s, Wire::Ground, 92);
    c.tag(QPointF(215, 224), QPointF(250, TagTop), u"SCL"_s, u"A5 · Mega 21"_s, Wire::Bus, 92);
    c.tag(QPointF(245, 224), QPointF(348, TagTop), u"SDA"_s, u"A4 · Mega 20"_s, Wire::Bus, 92);
}

// A small comparator board with its knob; pins along the lower edge.
void comparatorBoard(Canvas &c, const QRectF &r, const QStringList &pins, qreal firstX,
                     qreal pitch, qreal knobLeft)
{
    QPainter &p = c.p();
    c.board(r, QColor(25, 55, 150), false);
    p.setPen(QPen(QColor(20, 40, 120), 1.5));
    p.setBrush(QColor(60, 110, 230));
    p.drawRect(QRectF(knobLeft, r.top() + 12, 28, 28));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(knobLeft + 14, r.top() + 26), 8, 8);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(knobLeft + 40, r.top() + 14, 30, 22));
    for (int i = 0; i < pins.size(); ++i) {
        const qreal x = firstX + i * pitch;
        c.text(QRectF(x - 14, r.bottom() - 18, 28, 16), pins[i], 10, Silk, true);
        c.pin(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 20));
    }
}

void soilMoisture(Canvas &c)
{
    c.title(u"Αισθητήρας Υγρασίας Εδάφους"_s, u"το A0 σε αναλογικό pin (A0 … A5)"_s);
    QPainter &p = c.p();
    // The soil, the fork in it, and the two wires to the board.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 100, 55, 150));
    p.drawRoundedRect(QRectF(22, 140, 118, 60), 8, 8);
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(60, 70, 80));
    QPainterPath fork;
    fork.addRoundedRect(QRectF(40, 58, 82, 34), 4, 4);
    for (qreal x : {44.0, 96.0}) {
        QPainterPath prong;
        prong.moveTo(x, 90);
        prong.lineTo(x + 22, 90);
        prong.lineTo(x + 22, 176);
        prong.lineTo(x + 11, 190);
        prong.lineTo(x, 176);
        prong.closeSubpath();
        fork = fork.united(prong);
    }
    p.drawPath(fork);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 175, 60));
    for (qreal x : {50.0, 102.0})
        p.drawRect(QRectF(x, 96, 10, 76));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        QPainterPath w(QPointF(70 + i * 22, 58));
        w.cubicTo(QPointF(70 + i * 22, 50), QPointF(190, 56), QPointF(215, 78 + i * 12));
        p.setPen(QPen(i ? QColor(30, 30, 30) : QColor(200, 40, 40), 3));
        p.drawPath(w);
    }
    comparatorBoard(c, QRectF(205, 70, 150, 116), {u"A0"_s, u"D0"_s, u"GND"_s, u"VCC"_s},
                    235, 30, 217);
    c.tag(QPointF(235, 206), QPointF(50, TagTop), u"A0"_s, u"A0 … A5"_s, Wire::Signal);
    c.tag(QPointF(265, 206), QPointF(150, TagTop), u"D0"_s, u"δεν χρειάζεται"_s, Wire::Unused,
          96);
    c.tag(QPointF(295, 206), QPointF(252, TagTop), u"GND"_s, u"GND"_s, Wire::Ground);
    c.tag(QPointF(325, 206), QPointF(350, TagTop), u"VCC"_s, u"5V"_s, Wire::Supply);
}

void blackWhite(Canvas &c)
{
    c.title(u"Αισθητήρας Μαύρο/Άσπρο"_s, u"το A0 σε αναλογικό pin (A0 … A5)"_s);
    QPainter &p = c.p();
    // The floor under the sensor: white with a black line.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(24, 164, 160, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(76, 164, 40, 40));
    comparatorBoard(c, QRectF(30, 60, 290, 84), {u"A0"_s, u"GND"_s, u"VCC"_s}, 236, 34, 160);
    // The sensor's two eyes look down at the floor.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(56, 84, 80, 32), 3, 3);
    p.setBrush(QColor(70, 110, 220));
    p.drawEllipse(QPointF(78, 100), 10, 10);
    p.setBrush(QColor(10, 10, 10));
    p.setPen(QPen(QColor(120, 120, 120), 1.5));
    p.drawEllipse(QPointF(114, 100), 10, 10);
    c.arrow(QPointF(78, 114), QPointF(90, 160), QColor(220, 60, 0), 2);
    c.arrow(QPointF(102, 160), QPointF(114, 118), QColor(220, 60, 0), 2);
    c.tag(QPointF(236, 164), QPointF(150, TagTop), u"A0"_s, u"A0 … A5"_s, Wire::Signal);
    c.tag(QPointF(270, 164), QPointF(250, TagTop), u"GND"_s, u"GND"_s, Wire::Ground);
    c.tag(QPointF(304, 164), QPointF(350, TagTop), u"VCC"_s, u"5V"_s, Wire::Supply);
}

} // namespace

QList<Picture> sensorPictures()
{
    return {
        {u"DHT11.jpg"_s, 400, 300, dht11},
        {u"DHT22.jpg"_s, 400, 300, dht22},
        {u"DHT21.jpg"_s, 400, 300, dht21},
        {u"pnlTemp.png"_s, 400, 300, dht22},
        {u"pnlBMP.png"_s, 400, 300, barometer},
        {u"AnalogIn_0.png"_s, 400, 300, soilMoisture},
        {u"AnalogIn_1.png"_s, 400, 300, blackWhite},
        {u"pnlAnalogIn.png"_s, 400, 300, soilMoisture},
    };
}
