#pragma once

#include <QLabel>
#include <QSize>
#include <QString>

// A label showing a picture file, read only when the label is first shown: most
// pictures sit on pages the pupil may never open, and reading them would hold up the
// window's start.
class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;

    // The picture, scaled to fit into `fit` (keeping its proportions) when given.
    // Read at once when the label shows, else when it is shown.
    void setPictureFile(const QString &file, QSize fit = QSize());
    void clearPicture();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();

    QString fFile;
    QSize fFit;
    bool fPending = false;
};
