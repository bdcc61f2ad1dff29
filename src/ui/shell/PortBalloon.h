#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

// A small balloon with a bold title over a text, pointing down at a widget (the port
// selector at the bottom of the window). It hides by itself after a while and lets
// every click through to the window under it, so it never stands in a pupil's way.
class PortBalloon : public QWidget {
    Q_OBJECT
public:
    static constexpr int HideAfterMs = 8000;

    explicit PortBalloon(QWidget *parent = nullptr);

    // Shows title and text (CR LF line breaks allowed) with the tip of the balloon
    // at the middle of anchor's top edge, and starts the time until it hides.
    void showAt(const QWidget *anchor, const QString &title, const QString &text);

    QString title() const { return fTitleText; }
    QString text() const { return fText; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPolygon outline() const;

    QLabel *fTitle = nullptr;
    QLabel *fBody = nullptr;
    QString fTitleText;
    QString fText;
    QTimer fHideTimer;
};
