// The LCD, the laser and the LED, the buzzer, the ultrasonic sensor and the servo.
#include "Canvas.h"
#include "Pictures.h"

#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

const QColor Silk(245, 245, 245);

void lcd(Canvas &c)
{
    lcdShowing(c, u"Hello, world!"_s, u"Temp: 23.5 C"_s);
}

} // namespace

void lcdShowing(Canvas &c, const QString &line1, const QString &line2)
{
    c.title(u"Οθόνη LCD 16x2 με I2C"_s, u"4 καλώδια: GND, VCC, SDA, SCL"_s);
    QPainter &p = c.p();
    c.board(QRectF(30, 58, 340, 150), QColor(30, 125, 70));
    // The bezel, the screen and its 16x2 character cells.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 25));
    p.drawRect(QRectF(48, 74, 304, 92));
    p.setBrush(QColor(40, 95, 215));
    const QRectF screen(60, 86, 280, 68);
    p.drawRect(screen);
    const QString lines[2] = {line1, line2};
    const qreal cw = screen.width() / 16, ch = screen.height() / 2;
    QFont mono(u"DejaVu Sans Mono"_s);
    mono.setPixelSize(19);
    mono.setBold(true);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 16; ++col) {
            const QRectF cell(screen.left() + col * cw + 1.5, screen.top() + row * ch + 4,
                              cw - 3, ch - 8);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 120, 235));
            p.drawRect(cell);
            if (col < lines[row].size()) {
                p.setPen(Qt::white);
                p.setFont(mono);
                p.drawText(cell, Qt::AlignCenter, lines[row].mid(col, 1));
            }
        }
    // The I2C adapter along the lower edge, its pins pointing down.
    c.board(QRectF(90, 172, 220, 30), QColor(20, 20, 20), false);
    c.text(QRectF(90, 172, 220, 14), u"I2C"_s, 10, Silk, true);
    const qreal xs[4] = {140, 180, 220, 260};
    const QString names[4] = {u"GND"_s, u"VCC"_s, u"SDA"_s, u"SCL"_s};
    for (int i = 0; i < 4; ++i) {
        c.text(QRectF(xs[i] - 18, 186, 36, 14), names[i], 10, Silk);
        c.pin(QPointF(xs[i], 202), QPointF(xs[i], 222));
    }
    c.tag(QPointF(140, 222), QPointF(52, TagTop), u"GND"_s, u"GND"_s, Wire::Ground, 92);
    c.tag(QPointF(180, 222), QPointF(150, TagTop), u"VCC"_s, u"5V"_s, Wire::Supply, 92);
    c.tag(QPointF(220, 222), QPointF(250, TagTop), u"SDA"_s, u"A4 · Mega 20"_s, Wire::Bus, 92);
    c.tag(QPointF(260, 222), QPointF(348, TagTop), u"SCL"_s, u"A5 · Mega 21"_s, Wire::Bus, 92);
}

namespace {

// A laser module (KY-008 style) with its head pointing right, in a 400x300 frame.
void laserModule(Canvas &c, bool beam)
{
    QPainter &p = c.p();
    c.board(QRectF(90, 80, 150, 120), QColor(35, 35, 40));
    // Brass head with its lens.
    QLinearGradient brass(0, 118, 0, 162);
    brass.setColorAt(0, QColor(235, 205, 120));
    brass.setColorAt(0.5, QColor(190, 150, 60));
    brass.setColorAt(1, QColor(150, 110, 40));
    p.setPen(QPen(QColor(120, 90, 30), 1.5));
    p.setBrush(brass);
    p.drawRoundedRect(QRectF(190, 118, 110, 44), 5, 5);
    p.setBrush(QColor(250, 120, 120));
    p.drawEllipse(QRectF(292, 126, 16, 28));
    if (beam) {
        p.setPen(QPen(QColor(255, 0, 0, 70), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(312, 140), QPointF(392, 140));
        p.setPen(QPen(QColor(230, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(312, 140), QPointF(392, 140));
    }
    const qreal xs[3] = {125, 165, 205};
    const QString names[3] = {u"S"_s, u"+"_s, u"−"_s};
    for (int i = 0; i < 3; ++i) {
        c.text(QRectF(xs[i] - 12, 180, 24, 18), names[i], 14, Silk, true);
        c.pin(QPointF(xs[i], 200), QPointF(xs[i], 222));
    }
}

void laser(Canvas &c)
{
    c.title(u"Laser"_s, u"3 ακίδες: S (σήμα), + (5V), − (GND)"_s);
    laserModule(c, true);
    c.tag(QPointF(125, 222), QPointF(70, TagTop), u"S"_s, u"Pin"_s, Wire::Signal);
    c.tag(QPointF(165, 222), QPointF(180, TagTop), u"+"_s, u"5V"_s, Wire::Supply);
    c.tag(QPointF(205, 222), QPointF(290, TagTop), u"−"_s, u"GND"_s, Wire::Ground);
}

// A red LED, legs down: the long leg (+) left, the short one (−) right.
void ledBody(Canvas &c)
{
    QPainter &p = c.p();
    QPainterPath dome;
    dome.moveTo(178, 132);
    dome.lineTo(178, 92);
    dome.arcTo(QRectF(178, 70, 44, 44), 180, -180);
    dome.lineTo(222, 132);
    dome.closeSubpath();
    QRadialGradient red(QPointF(192, 92), 40);
    red.setColorAt(0, QColor(255, 150, 150));
    red.setColorAt(1, QColor(210, 20, 20));
    p.setPen(QPen(QColor(150, 0, 0), 1.5));
    p.setBrush(red);
    p.drawPath(dome);
    p.drawRect(QRectF(172, 132, 56, 8));
    // Long leg (anode) and short leg (cathode).
    p.setPen(QPen(QColor(160, 160, 170), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(190, 140), QPointF(190, 200));
    p.drawLine(QPointF(210, 140), QPointF(210, 180));
    c.text(QRectF(150, 150, 36, 22), u"+"_s, 20, QColor(200, 0, 0), true);
    c.text(QRectF(214, 146, 36, 22), u"−"_s, 20, QColor(40, 40, 40), true);
}

void resistor(Canvas &c, QPointF centre)
{
    QPainter &p = c.p();
    const QRectF body(centre.x() - 22, centre.y() - 8, 44, 16);
    p.setPen(QPen(QColor(150, 120, 80), 1.5));
    p.setBrush(QColor(225, 200, 150));
    p.drawRoundedRect(body, 6, 6);
    // 220 ohm: red, red, brown, gold.
    const QColor bands[4] = {QColor(200, 0, 0), QColor(200, 0, 0), QColor(120, 70, 20),
                             QColor(200, 160, 40)};
    const qreal bx[4] = {-13, -6, 1, 13};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(bands[i]);
        p.drawRect(QRectF(centre.x() + bx[i] - 2, body.top() + 1, 4, body.height() - 2));
    }
}

void led(Canvas &c)
{
    c.title(u"LED Λαμπάκι"_s, u"το μακρύ ποδαράκι (+) στο Pin, το κοντό (−) στη GND"_s);
    ledBody(c);
    QPainter &p = c.p();
    // The long leg through a resistor to the pin, the short leg to ground.
    p.setPen(QPen(Wire::Signal, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{190, 200}, {190, 210}, {110, 210}, {110, TagTop}});
    resistor(c, QPointF(150, 210));
    c.text(QRectF(120, 218, 60, 16), u"220Ω"_s, 12, QColor(60, 60, 60), true);
    p.setPen(QPen(Wire::Ground, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{210, 180}, {210, 200}, {290, 200}, {290, TagTop}});
    c.tag(QPointF(110, TagTop), QPointF(110, TagTop), u"+ μακρύ"_s, u"Pin"_s, Wire::Signal);
    c.tag(QPointF(290, TagTop), QPointF(290, TagTop), u"− κοντό"_s, u"GND"_s, Wire::Ground);
}

void laserTile(Canvas &c)
{
    QPainter &p = c.p();
    c.textAt(QPointF(100, 40), u"Laser"_s, 26, QColor(20, 40, 90), true);
    c.textAt(QPointF(300, 40), u"LED"_s, 26, QColor(20, 40, 90), true);
    p.save();
    p.translate(-40, 60);
    p.scale(0.75, 0.75);
    laserModule(c, true);
    p.restore();
    p.save();
    p.translate(150, 10);
    p.scale(1.2, 1.2);
    p.translate(-50, 0);
    ledBody(c);
    p.restore();
}

void buzzer(Canvas &c)
{
    c.title(u"Piezo Buzzer"_s, u"το κόκκινο στο Pin, το μαύρο στη GND"_s);
    QPainter &p = c.p();
    QRadialGradient body(QPointF(185, 105), 80);
    body.setColorAt(0, QColor(80, 80, 80));
    body.setColorAt(1, QColor(15, 15, 15));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(body);
    p.drawEllipse(QPointF(200, 125), 62, 62);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(200, 125), 40, 40);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(200, 125), 7, 7);
    c.text(QRectF(218, 74, 30, 24), u"+"_s, 22, Qt::white, true);
    // Its two wires come out underneath.
    p.setBrush(Qt::NoBrush);
    QPainterPath redWire(QPointF(188, 185));
    redWire.cubicTo(QPointF(185, 215), QPointF(130, 205), QPointF(130, TagTop));
    QPainterPath blackWire(QPointF(212, 185));
    blackWire.cubicTo(QPointF(215, 215), QPointF(270, 205), QPointF(270, TagTop));
    p.setPen(QPen(Wire::Supply, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(redWire);
    p.setPen(QPen(Wire::Ground, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(blackWire);
    c.tag(QPointF(130, TagTop), QPointF(130, TagTop), u"Κόκκινο"_s, u"Pin"_s, Wire::Supply, 100);
    c.tag(QPointF(270, TagTop), QPointF(270, TagTop), u"Μαύρο"_s, u"GND"_s, Wire::Ground, 100);
}

void transducer(Canvas &c, QPointF centre, const QString &letter)
{
    QPainter &p = c.p();
    QRadialGradient metal(centre - QPointF(12, 12), 60);
    metal.setColorAt(0, QColor(250, 250, 250));
    metal.setColorAt(1, QColor(150, 150, 160));
    p.setPen(QPen(QColor(110, 110, 120), 2));
    p.setBrush(metal);
    p.drawEllipse(centre, 46, 46);
    // The mesh over the opening.
    p.setBrush(QColor(60, 60, 65));
    p.drawEllipse(centre, 32, 32);
    p.save();
    QPainterPath clip;
    clip.addEllipse(centre, 32, 32);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(120, 120, 125), 1));
    for (qreal d = -32; d <= 32; d += 5) {
        p.drawLine(centre + QPointF(d, -32), centre + QPointF(d, 32));
        p.drawLine(centre + QPointF(-32, d), centre + QPointF(32, d));
    }
    p.restore();
    c.textAt(centre + QPointF(0, 58), letter, 14, Silk, true);
}

void ultrasonic(Canvas &c)
{
    c.title(u"Αισθητήρας Υπερήχων HC-SR04"_s, u"T στέλνει τον ήχο, R τον ακούει"_s);
    QPainter &p = c.p();
    c.board(QRectF(40, 55, 320, 150), QColor(20, 80, 170));
    transducer(c, QPointF(112, 115), u"T"_s);
    transducer(c, QPointF(288, 115), u"R"_s);
    p.setPen(QPen(QColor(140, 140, 150), 1.5));
    p.setBrush(QColor(210, 210, 215));
    p.drawRoundedRect(QRectF(182, 66, 36, 16), 8, 8);
    const qreal xs[4] = {161, 187, 213, 239};
    const QString names[4] = {u"Vcc"_s, u"Trig"_s, u"Echo"_s, u"Gnd"_s};
    for (int i = 0; i < 4; ++i) {
        c.verticalText(QPointF(xs[i], 172), names[i], 11, Silk, true);
        c.pin(QPointF(xs[i], 205), QPointF(xs[i], 224));
    }
    c.tag(QPointF(161, 224), QPointF(50, TagTop), u"VCC"_s, u"5V"_s, Wire::Supply);
    c.tag(QPointF(187, 224), QPointF(150, TagTop), u"Trig"_s, u"Pin"_s, Wire::Signal);
    c.tag(QPointF(213, 224), QPointF(250, TagTop), u"Echo"_s, u"Άλλο Pin"_s, Wire::Signal2);
    c.tag(QPointF(239, 224), QPointF(350, TagTop), u"GND"_s, u"GND"_s, Wire::Ground);
}

void servo(Canvas &c)
{
    c.title(u"Micro Servo SG90"_s, u"3 καλώδια: καφέ, κόκκινο, πορτοκαλί"_s);
    QPainter &p = c.p();
    // Body seen from above, with its mounting ears.
    p.setPen(QPen(QColor(20, 60, 140), 2));
    p.setBrush(QColor(60, 120, 220));
    p.drawRoundedRect(QRectF(95, 104, 210, 28), 6, 6);
    p.setBrush(QColor(40, 100, 210));
    p.drawRoundedRect(QRectF(125, 62, 150, 112), 6, 6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(108, 118), 5, 5);
    p.drawEllipse(QPointF(292, 118), 5, 5);
    c.text(QRectF(180, 130, 90, 30), u"SG90"_s, 18, Qt::white, true);
    // The output shaft with its white horn.
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    p.setBrush(Qt::white);
    QPainterPath horn;
    horn.addRoundedRect(QRectF(100, 88, 110, 22), 11, 11);
    p.drawPath(horn);
    p.setBrush(QColor(230, 230, 230));
    p.drawEllipse(QPointF(155, 99), 13, 13);
    p.setBrush(QColor(200, 200, 200));
    for (qreal x : {112.0, 124.0, 186.0, 198.0})
        p.drawEllipse(QPointF(x, 99), 2.5, 2.5);
    // The three wires: brown, red, orange.
    const QColor brown(120, 70, 30), orange(245, 140, 20);
    const qreal xs[3] = {190, 200, 210};
    const QColor colours[3] = {brown, Wire::Supply, orange};
    const qreal to[3] = {80, 200, 320};
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath w(QPointF(xs[i], 174));
        w.cubicTo(QPointF(xs[i], 210), QPointF(to[i], 205), QPointF(to[i], TagTop));
        p.setPen(QPen(colours[i], 4.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(w);
    }
    c.tag(QPointF(80, TagTop), QPointF(80, TagTop), u"Καφέ"_s, u"GND"_s, brown, 104);
    c.tag(QPointF(200, TagTop), QPointF(200, TagTop), u"Κόκκινο"_s, u"5V"_s, Wire::Supply, 104);
    c.tag(QPointF(320, TagTop), QPointF(320, TagTop), u"Πορτοκαλί"_s, u"Pin"_s, orange, 104);
}

} // namespace

QList<Picture> devicePictures()
{
    return {
        {u"pnlLCD.png"_s, 400, 300, lcd},
        {u"Laser_0.png"_s, 400, 300, laser},
        {u"Laser_1.png"_s, 400, 300, led},
        {u"pnlLaser.png"_s, 400, 300, laserTile},
        {u"pnlSound.png"_s, 400, 300, buzzer},
        {u"pnlUSonic.png"_s, 400, 300, ultrasonic},
        {u"pnlServo.png"_s, 400, 300, servo},
    };
}
