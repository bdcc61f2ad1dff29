#pragma once

#include <QListWidget>

// The one-line trace list at the bottom of the main window. New lines go to the end
// and are scrolled into view; a double-click anywhere on it empties it.
class DebugList : public QListWidget {
    Q_OBJECT
public:
    explicit DebugList(QWidget *parent = nullptr);

    void addLine(const QString &line);
    // One line high; the splitter above it makes it taller.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
