#pragma once

#include <QWidget>

class QToolButton;

// A collapsible category panel of the palette: a header with the caption and a body
// holding the prototype blocks at their places.
class PalettePanel : public QWidget {
    Q_OBJECT
public:
    PalettePanel(const QString &caption, const QColor &color, int height, QWidget *parent = nullptr);
    QWidget *body() const { return fBody; }
    bool expanded() const;
    void setExpanded(bool on);

private:
    QToolButton *fHeader;
    QWidget *fBody;
};
