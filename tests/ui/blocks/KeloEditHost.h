#pragma once

#include <QColor>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

// A window holding a stand-in block (with a colour) and another field to move
// the focus to, so editors sit in a block that has a parent, as on the canvas.
struct KeloEditHost {
    QWidget window;
    QWidget *block;
    QLineEdit *elsewhere;

    KeloEditHost()
    {
        window.resize(400, 200);
        block = new QWidget(&window);
        block->setGeometry(10, 10, 300, 44);
        block->setProperty("keloColor", QColor(255, 0, 0));
        elsewhere = new QLineEdit(&window);
        elsewhere->setGeometry(10, 100, 100, 20);
    }

    // Shows the window and makes it active so focus changes are real.
    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};
