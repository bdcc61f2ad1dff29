#pragma once

#include <QWidget>

class QToolButton;

// The spinner of a number field: an up and a down button stepping a position
// within Min..Max. It never takes the keyboard focus, so clicking it keeps the
// field in edit mode.
class TKeloUpDown : public QWidget {
    Q_OBJECT
public:
    static constexpr int DefaultWidth = 13;

    explicit TKeloUpDown(QWidget *parent = nullptr);

    int Min() const { return fMin; }
    int Max() const { return fMax; }
    void setMin(int v) { fMin = v; }
    void setMax(int v) { fMax = v; }
    int Position() const { return fPosition; }
    // Stores the position as given; steps bring it back into the range.
    void setPosition(int v) { fPosition = v; }

    // What one click does: delta +1 (up) or -1 (down). Announces the new
    // position through changing() and then takes it; nothing happens at the
    // end of the range.
    void stepBy(int delta);

    QToolButton *upButton() const { return fUp; }
    QToolButton *downButton() const { return fDown; }

signals:
    // Sent before the position changes to newPosition.
    void changing(int newPosition);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *fUp;
    QToolButton *fDown;
    int fMin = 0;
    int fMax = 0;
    int fPosition = 0;
};
