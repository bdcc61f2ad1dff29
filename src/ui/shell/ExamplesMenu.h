#pragma once

#include <QMenu>

struct ExampleGroup;

// "Αρχείο" → "Παραδείγματα": every example project shipped with the program by its
// Greek title, the lessons' programs in submenus named after their lessons' groups
// (ExampleCatalogue). A project missing from the examples folder is shown disabled.
class ExamplesMenu : public QMenu {
    Q_OBJECT
public:
    ExamplesMenu(const QString &examplesFolder, QWidget *parent = nullptr);

signals:
    // The program file of the example chosen.
    void exampleChosen(const QString &file);

private:
    void addEntries(QMenu *menu, const ExampleGroup &group);

    QString fFolder;
};
