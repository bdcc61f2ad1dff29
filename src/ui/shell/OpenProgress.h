#pragma once

#include <QElapsedTimer>
#include <QString>

class ElidedLabel;

// Shows in a status bar panel how far opening a file has come. Opening runs in one
// go on the window's thread; the panel is painted at once at each step, so that a
// long file shows its progress while a short one shows nothing. What the panel said
// before comes back when opening is over.
class OpenProgress {
public:
    explicit OpenProgress(ElidedLabel *panel) : fPanel(panel) {}

    // 0 starts an opening; each later step names how far it has come.
    void step(int percent);
    // Opening is over (done or not).
    void finish();

    // Steps before this much time has passed since the start show nothing.
    static constexpr int QuietMs = 100;
    static QString text(int percent);

private:
    ElidedLabel *fPanel;
    QElapsedTimer fClock;
    QString fBefore;
    bool fShown = false;
};
