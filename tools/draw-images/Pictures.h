#pragma once

#include <QList>
#include <QString>
#include <functional>

class Canvas;

// One picture file of the images folder and how to draw it.
struct Picture {
    QString fileName;
    int width = 400;
    int height = 300;
    std::function<void(Canvas &)> draw;
};

// The pictures, by family. Tags sit at this height in every 400x300 device picture.
constexpr double TagTop = 240;

QList<Picture> devicePictures();
QList<Picture> switchPictures();
QList<Picture> sensorPictures();
QList<Picture> motorPictures();
QList<Picture> boardPinouts();
// The LCD module of the set-up window with two lines of text on its screen.
void lcdShowing(Canvas &c, const QString &line1, const QString &line2);
// The wiring pictures of the lessons, drawn into a folder of their own.
QList<Picture> lessonPictures();
