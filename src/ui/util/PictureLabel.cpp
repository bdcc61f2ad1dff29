#include "util/PictureLabel.h"

#include <QPixmap>

void PictureLabel::setPictureFile(const QString &file, QSize fit)
{
    fFile = file;
    fFit = fit;
    fPending = true;
    if (isVisible())
        load();
}

void PictureLabel::clearPicture()
{
    fFile.clear();
    fPending = false;
    clear();
}

void PictureLabel::showEvent(QShowEvent *event)
{
    // Before the first paint: the layout takes the picture's size into account.
    if (fPending)
        load();
    QLabel::showEvent(event);
}

void PictureLabel::load()
{
    fPending = false;
    QPixmap pixmap(fFile);
    if (pixmap.isNull()) {
        clear();
        return;
    }
    setPixmap(fFit.isValid() ? pixmap.scaled(fFit, Qt::KeepAspectRatio, Qt::SmoothTransformation) : pixmap);
}
