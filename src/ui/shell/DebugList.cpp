#include "shell/DebugList.h"

DebugList::DebugList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("DebugList"));
    setUniformItemSizes(true);  // thousands of trace lines stay cheap to lay out
}

void DebugList::addLine(const QString &line)
{
    addItem(line);
    scrollToBottom();
}

void DebugList::mouseDoubleClickEvent(QMouseEvent *)
{
    clear();
}

QSize DebugList::sizeHint() const
{
    return {QListWidget::sizeHint().width(), fontMetrics().height() + 2 * frameWidth()};
}
