#include "blocks/TKeloCombo.h"

#include "blocks/KeloEditRules.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

TKeloCombo::TKeloCombo(QWidget *parent) : TKeloEdit(parent, false)
{
    // A list has no number to spin.
    SetUseUpDn(false);
    SetNumbersOnly(false);
}

void TKeloCombo::SetItemindex(int index)
{
    const std::optional<int> chosen = KeloEditRules::ReducedItemIndex(index, ItemCount());
    if (!chosen)
        return;
    fItemindex = *chosen;
    SetText(fItems.at(fItemindex));
}

void TKeloCombo::mousePressEvent(QMouseEvent *event)
{
    TKeloEdit::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || EditMode())
        return;
    setFocus(Qt::MouseFocusReason);
    DownPt = event->position().toPoint();
    Onmove = true;
}

bool TKeloCombo::dragBegins(const QPoint &pos) const
{
    // Only a real change of place: a move event at the press point is no drag.
    return Onmove && pos != DownPt;
}

void TKeloCombo::clickReleased(const QPoint &pos)
{
    TKeloEdit::clickReleased(pos);
    ShowItemMenu();
}

void TKeloCombo::ShowItemMenu()
{
    if (!parentWidget())
        return;
    // No parent: the menu must not be deleted with this control while it is open.
    QMenu menu;
    for (int i = 0; i < ItemCount(); ++i) {
        QString caption = fItems.at(i);
        caption.replace(u'&', u"&&"_s);  // shown as written, no shortcut letters
        auto *action = new QAction(caption, &menu);
        action->setData(i);
        connect(action, &QAction::triggered, this, [this, i] { ItemChosen(i); });
        // Each entry goes on top of the previous ones: the last entry comes first.
        const QList<QAction *> existing = menu.actions();
        menu.insertAction(existing.isEmpty() ? nullptr : existing.first(), action);
    }
    popupItemMenu(menu, mapToGlobal(QPoint(0, height())));
}

void TKeloCombo::popupItemMenu(QMenu &menu, const QPoint &globalPos)
{
    menu.exec(globalPos);
}

void TKeloCombo::ItemChosen(int index)
{
    SetItemindex(index);
    emit clicked();
}
