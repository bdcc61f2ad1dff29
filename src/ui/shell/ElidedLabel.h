#pragma once

#include <QLabel>

// A one-line label that never pushes its neighbours aside: a text longer than the
// room it has ends in "…", and the whole text is its tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);
    // Replaces QLabel::setText (not virtual): the label keeps the whole text.
    void setText(const QString &text);
    QString text() const { return fText; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();
    QString fText;
};
