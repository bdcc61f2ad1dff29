#include "shell/OpenProgress.h"

#include "shell/ElidedLabel.h"

using namespace Qt::StringLiterals;

QString OpenProgress::text(int percent)
{
    return u"Άνοιγμα του προγράμματος… %1%"_s.arg(percent);
}

void OpenProgress::step(int percent)
{
    if (percent == 0) {
        finish();
        fClock.start();
        return;
    }
    if (!fClock.isValid() || fClock.elapsed() < QuietMs)
        return;
    if (!fShown) {
        fBefore = fPanel->text();
        fShown = true;
    }
    fPanel->setText(text(percent));
    // The event loop waits until opening is over: the panel is painted right away.
    fPanel->repaint();
}

void OpenProgress::finish()
{
    if (fShown)
        fPanel->setText(fBefore);
    fShown = false;
    fClock.invalidate();
}
