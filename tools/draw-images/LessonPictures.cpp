// The wiring pictures of the lessons: a device's picture from its set-up window, and
// under each of its connection boxes a wire to the socket of the Uno it goes to, with
// the number the pupil picks in the set-up window (the colours of the board pinout).
#include "Canvas.h"
#include "Pictures.h"

using namespace Qt::StringLiterals;

namespace {

enum class Socket { Digital, Analog, I2c, Power, Ground };

QColor socketColour(Socket s)
{
    switch (s) {
    case Socket::Digital:
        return QColor(0, 135, 65);
    case Socket::Analog:
        return QColor(230, 115, 0);
    case Socket::I2c:
        return Wire::Bus;
    case Socket::Power:
        return Wire::Supply;
    case Socket::Ground:
        return Wire::Ground;
    }
    return Qt::gray;
}

// One wire: from the connection box centred at x in the device picture to a socket.
struct Lead {
    qreal x;
    QColor wire;
    Socket socket;
    QString number;  // what the set-up window or the board calls it
    QString silk;    // what the board prints beside the socket
};

Lead pin(qreal x, int number, const QColor &wire = Wire::Signal)
{
    return {x, wire, Socket::Digital, QString::number(number), QString::number(number)};
}
Lead analog(qreal x, int index)
{
    return {x, Wire::Signal, Socket::Analog, QString::number(14 + index), u"A"_s + QString::number(index)};
}
// The I2C wires go to A4 and A5, as the Uno prints them; no set-up window asks for a number.
Lead bus(qreal x, int index)
{
    const QString socket = u"A"_s + QString::number(4 + index);
    return {x, Wire::Bus, Socket::I2c, socket, socket};
}
Lead supply(qreal x)
{
    return {x, Wire::Supply, Socket::Power, u"5V"_s, u"5V"_s};
}
Lead ground(qreal x)
{
    return {x, Wire::Ground, Socket::Ground, u"GND"_s, u"GND"_s};
}

// The drawing of a picture of the images folder, by its file name.
std::function<void(Canvas &)> devicePicture(const QString &fileName)
{
    QList<Picture> all;
    all << devicePictures() << switchPictures() << sensorPictures();
    for (const Picture &p : all)
        if (p.fileName == fileName)
            return p.draw;
    return {};
}

constexpr qreal BoxBottom = TagTop + 40;
constexpr qreal NumberTop = 318;
constexpr qreal BoardTop = 372;

void wiring(Canvas &c, const std::function<void(Canvas &)> &device, const QList<Lead> &leads)
{
    if (device)
        device(c);
    QPainter &p = c.p();
    c.board(QRectF(8, BoardTop, 384, 62), QColor(0, 122, 135), false);
    c.text(QRectF(8, BoardTop + 34, 384, 26), u"ARDUINO UNO"_s, 17, Qt::white, true);
    for (const Lead &lead : leads) {
        const QColor colour = socketColour(lead.socket);
        const QRectF number(lead.x - 24, NumberTop, 48, 26);
        const QPointF socket(lead.x, BoardTop + 14);
        // The wire from the device down to the socket, behind the number box.
        p.setPen(QPen(lead.wire, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(lead.x, BoxBottom), socket);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRoundedRect(number, 4, 4);
        c.text(number, lead.number, lead.number.size() > 2 ? 12 : 15, Qt::white, true);
        p.setBrush(QColor(25, 25, 25));
        p.drawRect(QRectF(socket.x() - 9, socket.y() - 9, 18, 18));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(socket.x() - 3.5, socket.y() - 3.5, 7, 7));
        if (lead.silk != lead.number)
            c.text(QRectF(lead.x + 12, socket.y() - 9, 40, 18), lead.silk, 11, Qt::white, true,
                   Qt::AlignLeft | Qt::AlignVCenter);
    }
}

Picture wiringPicture(const QString &fileName, const std::function<void(Canvas &)> &device, const QList<Lead> &leads)
{
    return {fileName, 400, 440, [device, leads](Canvas &c) { wiring(c, device, leads); }};
}

Picture wiringPicture(const QString &fileName, const QString &device, const QList<Lead> &leads)
{
    return wiringPicture(fileName, devicePicture(device), leads);
}

} // namespace

QList<Picture> lessonPictures()
{
    QList<Picture> pictures;
    for (int n : {9, 10, 11, 12, 13})
        pictures << wiringPicture(u"wiring-led-%1.png"_s.arg(n), u"Laser_1.png"_s,
                                  {pin(110, n), ground(290)});
    pictures << wiringPicture(u"wiring-laser-12.png"_s, u"Laser_0.png"_s, {pin(70, 12), supply(180), ground(290)})
             << wiringPicture(u"wiring-button-2.png"_s, u"Switch_0.png"_s, {pin(90, 2), supply(200), ground(310)})
             << wiringPicture(u"wiring-laser-detector-2.png"_s, u"Switch_1.png"_s,
                              {pin(90, 2), supply(200), ground(310)})
             << wiringPicture(u"wiring-light-3.png"_s, u"Switch_2.png"_s, {pin(90, 3), supply(200), ground(310)})
             << wiringPicture(u"wiring-soil-a0.png"_s, u"AnalogIn_0.png"_s,
                              {analog(50, 0), ground(252), supply(350)})
             // What the lesson's program shows (the display has no small Greek letters).
             << wiringPicture(u"wiring-lcd.png"_s,
                              [](Canvas &c) { lcdShowing(c, u"   ΓΕΙΑ ΣΟΥ!"_s, u"ΕΙΜΑΙ ΤΟ ARDUINO"_s); },
                              {ground(52), supply(150), bus(250, 0), bus(348, 1)})
             << wiringPicture(u"wiring-dht11-4.png"_s, u"DHT11.jpg"_s, {supply(50), pin(150, 4), ground(350)})
             << wiringPicture(u"wiring-ultrasonic-6-7.png"_s, u"pnlUSonic.png"_s,
                              {supply(50), pin(150, 6), pin(250, 7, Wire::Signal2), ground(350)})
             << wiringPicture(u"wiring-buzzer-8.png"_s, u"pnlSound.png"_s, {pin(130, 8, Wire::Supply), ground(270)});
    return pictures;
}
