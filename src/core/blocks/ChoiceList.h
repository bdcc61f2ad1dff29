#pragma once

#include <QList>
#include <QRect>
#include <QStringList>

// Model of a drop-down list shown inside a block: the comparison list of a
// condition, the variable list of a variable command, the device list of a device
// command. The window mirrors it; the rules that fill and select live in the blocks.
struct ChoiceList {
    QStringList items;
    QList<int> data;   // the device position of each entry of a device list
    int itemIndex = -1;
    QString text;
    bool visible = false;
    QRect rect;

    int count() const { return int(items.size()); }
    void clear()
    {
        items.clear();
        data.clear();
        itemIndex = -1;
    }
    void select(int index)
    {
        itemIndex = (index >= 0 && index < count()) ? index : -1;
        if (itemIndex >= 0)
            text = items.at(itemIndex);
    }
    int indexOf(const QString &t) const { return int(items.indexOf(t)); }
};

// Model of a parameter editor (number field or text field) inside a block.
struct SlotEditor {
    bool visible = false;
    QRect rect;
    QString text;
    // The width the control really takes while it is being edited (the text being
    // typed and the spinner beside it); 0 when its width follows the text.
    int editingWidth = 0;
};

// A piece of text the block draws itself (command text pieces, and parameter
// values drawn on prototypes).
struct TextPiece {
    int x = 0;
    int y = 0;
    QString text;
    int color = 0;
};
