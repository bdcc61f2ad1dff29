#pragma once

#include <QWidget>

class QToolButton;

// A collapsible category panel of the palette: a header with the caption and a body
// holding the prototype blocks at their places.
class PalettePanel : public QWidget {
    Q_OBJECT
public:
    // headerStyle: the style sheet of the header (each palette tab has its own look).
    PalettePanel(const QString &caption, const QColor &color, int height, const QString &headerStyle,
                 QWidget *parent = nullptr);
    QWidget *body() const { return fBody; }
    bool expanded() const;
    void setExpanded(bool on);

private:
    QToolButton *fHeader;
    QWidget *fBody;
};
