#pragma once

#include "SimSnapshot.h"

#include <QWidget>

// The simulated board drawn with the project's devices as they are now: pin 13's
// LED, every LED or laser, the display's two rows, servo arms, buzzer notes, motor
// and robot wheels. It only shows what it is given.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget *parent = nullptr);

    void setBoard(const QString &boardName, bool mega);
    void show(const SimSnapshot &snapshot);
    // A line a screen reader says: the LED and each device's state.
    static QString describe(const SimSnapshot &snapshot);

    QSize sizeHint() const override { return {560, 420}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawBoard(class QPainter &p, const QRect &r);
    void drawDevice(class QPainter &p, const QRect &r, const SimSnapshot::Device &d);

    QString fBoardName;
    bool fMega = false;
    SimSnapshot fSnap;
    double fLastMs = 0;
    std::map<int, double> fWheelTurn;  // drawn turn of each wheel, by device and side
};
