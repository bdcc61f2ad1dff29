#pragma once

#include "blocks/TKeloEdit.h"

#include <QPoint>
#include <QStringList>

class QMenu;

// A choice list inside a block: shows one entry of Items as painted text; a
// click (press and release without movement) pops up a menu of all entries,
// the last entry at the top, below the control. Choosing an entry sets
// Itemindex and raises clicked(). A press followed by a move of even one pixel
// drags the block instead (dragStarted()) and shows no menu. No typing, no
// spinner, and changed() is never raised.
class TKeloCombo : public TKeloEdit {
    Q_OBJECT
public:
    explicit TKeloCombo(QWidget *parent = nullptr);

    QStringList Items() const { return fItems; }
    // Copies the list; Itemindex and the shown text stay as they are.
    void SetItems(const QStringList &items) { fItems = items; }
    // -1 until an entry is chosen.
    int Itemindex() const { return fItemindex; }
    // An index past the end chooses the last entry; the text becomes the
    // entry. A negative index, or any index on an empty list, changes nothing.
    void SetItemindex(int index);
    int ItemCount() const { return int(fItems.size()); }

    // Builds the menu of entries and pops it up at the control's bottom-left
    // corner; does nothing without a parent.
    void ShowItemMenu();

signals:
    // The user chose an entry from the menu (after Itemindex was set).
    void clicked();

protected:
    // Shows the built menu at globalPos and returns once it closed; a chosen
    // action has run by then. Tests override it to inspect the menu and
    // trigger an action without a blocking pop-up.
    virtual void popupItemMenu(QMenu &menu, const QPoint &globalPos);

    bool dragBegins(const QPoint &pos) const override;
    void clickReleased(const QPoint &pos) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void ItemChosen(int index);

    QStringList fItems;
    int fItemindex = -1;
    QPoint DownPt;
};
