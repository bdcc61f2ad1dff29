// The ten kinds of switch module. They share one board with three pins, S, + and −,
// the supply in the middle; only the part on the board differs.
#include "Canvas.h"
#include "Pictures.h"

#include <QPainterPath>
#include <QtMath>

using namespace Qt::StringLiterals;

namespace {

const QColor Silk(245, 245, 245);
const QColor Board(25, 55, 150);
// Where the part sits on the board.
const QPointF Part(200, 118);

void pushButton(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(QColor(160, 160, 170), 3));
    for (qreal dx : {-20.0, 20.0})
        for (qreal dy : {-26.0, 26.0})
            p.drawLine(Part + QPointF(dx, dy * 0.8), Part + QPointF(dx * 1.3, dy));
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(175, 175, 185));
    p.drawRect(QRectF(Part.x() - 24, Part.y() - 24, 48, 48));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(Part, 15, 15);
    c.arrow(Part + QPointF(48, -40), Part + QPointF(22, -14), QColor(220, 60, 0), 3);
}

void laserReceiver(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(35, 35, 35));
    p.drawRoundedRect(QRectF(Part.x() - 16, Part.y() - 22, 32, 44), 4, 4);
    p.setBrush(QColor(120, 130, 160));
    p.drawEllipse(Part + QPointF(0, -6), 10, 10);
    p.setPen(QPen(QColor(230, 0, 0), 3, Qt::DashLine));
    p.drawLine(QPointF(355, 60), Part + QPointF(14, -12));
    c.textAt(QPointF(330, 52), u"Laser"_s, 12, QColor(200, 0, 0), true);
}

void lightSensor(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(QColor(120, 70, 20), 1.5));
    p.setBrush(QColor(215, 140, 60));
    p.drawEllipse(Part, 20, 20);
    QPainterPath track;
    track.moveTo(Part + QPointF(-14, -10));
    for (int i = 0; i < 6; ++i) {
        const qreal y = -10 + i * 4;
        track.lineTo(Part + QPointF(i % 2 ? -14 : 14, y));
        track.lineTo(Part + QPointF(i % 2 ? -14 : 14, y + 4));
    }
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(track);
    // The sun shining on it.
    const QPointF sun(330, 58);
    p.setPen(QPen(QColor(240, 170, 0), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(sun + QPointF(qCos(a) * 18, qSin(a) * 18),
                   sun + QPointF(qCos(a) * 26, qSin(a) * 26));
    }
    p.setBrush(QColor(255, 210, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(sun, 14, 14);
    c.arrow(QPointF(305, 78), Part + QPointF(26, -14), QColor(240, 170, 0), 2.5);
}

void spring(Canvas &c, QPointF from, QPointF to, int turns, qreal amplitude)
{
    QPainterPath s(from);
    const QPointF step = (to - from) / (turns * 2);
    const QPointF normal(-step.y(), step.x());
    const qreal len = std::max(1.0, std::hypot(normal.x(), normal.y()));
    for (int i = 1; i <= turns * 2; ++i)
        s.lineTo(from + step * i + normal / len * (i % 2 ? amplitude : -amplitude));
    c.p().drawPath(s);
}

void vibration(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(QColor(120, 120, 130), 2));
    p.setBrush(QColor(225, 230, 240));
    p.drawRoundedRect(QRectF(Part.x() - 40, Part.y() - 14, 80, 28), 8, 8);
    p.setPen(QPen(QColor(190, 150, 40), 2));
    p.setBrush(Qt::NoBrush);
    spring(c, Part + QPointF(-34, 0), Part + QPointF(34, 0), 8, 8);
    // Shaking.
    p.setPen(QPen(QColor(220, 60, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (qreal dx : {-56.0, 56.0})
        for (qreal dy : {-10.0, 0.0, 10.0}) {
            const qreal s = dx < 0 ? -1 : 1;
            p.drawLine(Part + QPointF(dx, dy), Part + QPointF(dx + s * 10, dy));
        }
}

void mercury(Canvas &c)
{
    QPainter &p = c.p();
    p.save();
    p.translate(Part);
    p.rotate(-15);
    p.setPen(QPen(QColor(110, 140, 170), 2));
    p.setBrush(QColor(210, 230, 250, 200));
    p.drawRoundedRect(QRectF(-36, -14, 72, 28), 14, 14);
    // The drop of mercury rests at the lower end, joining the two contacts.
    QRadialGradient drop(QPointF(-22, -2), 14);
    drop.setColorAt(0, Qt::white);
    drop.setColorAt(1, QColor(120, 120, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(drop);
    p.drawEllipse(QPointF(-22, 2), 11, 10);
    p.setPen(QPen(QColor(160, 160, 170), 2.5));
    p.drawLine(QPointF(-54, -5), QPointF(-28, -5));
    p.drawLine(QPointF(-54, 5), QPointF(-28, 5));
    p.restore();
    c.arrow(Part + QPointF(40, -46), Part + QPointF(56, -20), QColor(220, 60, 0), 2.5);
}

void reed(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(QColor(110, 140, 170), 2));
    p.setBrush(QColor(210, 230, 250, 200));
    p.drawRoundedRect(QRectF(Part.x() - 45, Part.y() + 4, 90, 18), 9, 9);
    p.setPen(QPen(QColor(90, 90, 100), 2.5));
    p.drawLine(Part + QPointF(-62, 13), Part + QPointF(6, 11));
    p.drawLine(Part + QPointF(62, 13), Part + QPointF(-6, 15));
    // The magnet above it.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(220, 40, 40));
    p.drawRect(QRectF(Part.x() - 40, Part.y() - 36, 40, 22));
    p.setBrush(QColor(40, 90, 220));
    p.drawRect(QRectF(Part.x(), Part.y() - 36, 40, 22));
    c.textAt(Part + QPointF(-20, -25), u"N"_s, 14, Qt::white, true);
    c.textAt(Part + QPointF(20, -25), u"S"_s, 14, Qt::white, true);
}

void crash(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(Part.x() - 30, Part.y() - 4, 60, 30), 3, 3);
    p.setBrush(QColor(200, 60, 60));
    p.drawRect(QRectF(Part.x() - 20, Part.y() - 10, 10, 6));
    // The metal lever with its roller.
    p.setPen(QPen(QColor(170, 170, 180), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Part + QPointF(-26, -6), Part + QPointF(46, -30));
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(220, 220, 220));
    p.drawEllipse(Part + QPointF(50, -33), 7, 7);
    c.arrow(Part + QPointF(66, -60), Part + QPointF(55, -43), QColor(220, 60, 0), 3);
}

void tilt(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(Part.x() - 40, Part.y() - 24, 28, 48), 6, 6);
    // Inside: a ball that rolls to the contacts when tilted.
    const QPointF inside = Part + QPointF(30, 0);
    p.setPen(QPen(QColor(120, 120, 130), 2, Qt::DashLine));
    p.setBrush(QColor(240, 240, 245));
    p.drawEllipse(inside, 26, 26);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    QRadialGradient ball(inside + QPointF(-4, 6), 12);
    ball.setColorAt(0, Qt::white);
    ball.setColorAt(1, QColor(130, 130, 140));
    p.setBrush(ball);
    p.drawEllipse(inside + QPointF(0, 12), 10, 10);
    p.setPen(QPen(QColor(120, 120, 130), 1.5, Qt::DashLine));
    p.drawLine(Part + QPointF(-12, 0), inside + QPointF(-26, 0));
    p.setPen(QPen(QColor(220, 60, 0), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(Part.x() - 62, Part.y() - 48, 72, 96), 110 * 16, 50 * 16);
}

void led5mm(QPainter &p, QPointF base, const QColor &colour)
{
    // Pointing right.
    QPainterPath dome;
    dome.moveTo(base + QPointF(0, -9));
    dome.lineTo(base + QPointF(18, -9));
    dome.arcTo(QRectF(base.x() + 9, base.y() - 9, 18, 18), 90, -180);
    dome.lineTo(base + QPointF(0, 9));
    dome.closeSubpath();
    p.setPen(QPen(colour.darker(180), 1.5));
    p.setBrush(colour);
    p.drawPath(dome);
}

void distance(Canvas &c)
{
    QPainter &p = c.p();
    led5mm(p, Part + QPointF(40, -22), QColor(200, 220, 240));
    led5mm(p, Part + QPointF(40, 22), QColor(40, 40, 45));
    // The sensitivity knob.
    p.setPen(QPen(QColor(20, 40, 120), 1.5));
    p.setBrush(QColor(60, 110, 230));
    p.drawRect(QRectF(Part.x() - 50, Part.y() - 16, 32, 32));
    p.setBrush(Qt::white);
    p.drawEllipse(Part + QPointF(-34, 0), 9, 9);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(Part + QPointF(-40, 0), Part + QPointF(-28, 0));
    p.drawLine(Part + QPointF(-34, -6), Part + QPointF(-34, 6));
    // Light that bounces back from an obstacle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 120, 90));
    p.drawRect(QRectF(360, 70, 16, 110));
    c.arrow(Part + QPointF(72, -22), QPointF(354, 105), QColor(220, 60, 0), 2);
    c.arrow(QPointF(354, 132), Part + QPointF(72, 22), QColor(220, 60, 0), 2);
}

void lineFollower(Canvas &c)
{
    QPainter &p = c.p();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(Part.x() + 10, Part.y() - 30, 26, 60), 3, 3);
    p.setBrush(QColor(70, 110, 220));
    p.drawEllipse(Part + QPointF(23, -14), 9, 9);
    p.setBrush(QColor(10, 10, 10));
    p.setPen(QPen(QColor(120, 120, 120), 1.5));
    p.drawEllipse(Part + QPointF(23, 14), 9, 9);
    p.setPen(QPen(QColor(20, 40, 120), 1.5));
    p.setBrush(QColor(60, 110, 230));
    p.drawRect(QRectF(Part.x() - 50, Part.y() - 16, 32, 32));
    // The floor it looks at: white with a black line.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(318, 66, 60, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(318, 106, 60, 40));
    c.arrow(Part + QPointF(38, -14), QPointF(314, 120), QColor(220, 60, 0), 2);
}

using PartDrawer = void (*)(Canvas &);

void switchModule(Canvas &c, const QString &name, PartDrawer part)
{
    c.title(u"Διακόπτης/Κουμπί"_s, name);
    c.board(QRectF(110, 60, 180, 144), Board);
    part(c);
    const qreal xs[3] = {170, 200, 230};
    const QString names[3] = {u"S"_s, u"+"_s, u"−"_s};
    for (int i = 0; i < 3; ++i) {
        c.text(QRectF(xs[i] - 12, 180, 24, 20), names[i], 15, Silk, true);
        c.pin(QPointF(xs[i], 204), QPointF(xs[i], 224));
    }
    c.tag(QPointF(170, 224), QPointF(90, TagTop), u"S"_s, u"Pin"_s, Wire::Signal);
    c.tag(QPointF(200, 224), QPointF(200, TagTop), u"+ (μέση)"_s, u"5V"_s, Wire::Supply);
    c.tag(QPointF(230, 224), QPointF(310, TagTop), u"−"_s, u"GND"_s, Wire::Ground);
}

} // namespace

QList<Picture> switchPictures()
{
    const QList<QPair<QString, PartDrawer>> kinds{
        {u"Διακόπτης Πλήκτρου"_s, pushButton},
        {u"Ανιχνευτής Laser"_s, laserReceiver},
        {u"Ανιχνευτής Φωτός"_s, lightSensor},
        {u"Διακόπτης Δόνησης"_s, vibration},
        {u"Διακόπτης Υδραργύρου"_s, mercury},
        {u"Μαγνητικός Διακόπτης"_s, reed},
        {u"Διακόπτης Πρόσκρουσης"_s, crash},
        {u"Ανιχνευτής Κλίσης"_s, tilt},
        {u"Ανιχνευτής Απόστασης"_s, distance},
        {u"Ανιχνευτής Μαύρου"_s, lineFollower},
    };
    QList<Picture> pictures;
    for (int kind = 0; kind < kinds.size(); ++kind) {
        const auto [name, part] = kinds[kind];
        pictures.append({u"Switch_%1.png"_s.arg(kind), 400, 300,
                         [name, part](Canvas &c) { switchModule(c, name, part); }});
    }
    // The tile shows the plain push button.
    pictures.append({u"pnlSwitch.png"_s, 400, 300, [kinds](Canvas &c) {
                         switchModule(c, kinds[0].first, kinds[0].second);
                     }});
    return pictures;
}
