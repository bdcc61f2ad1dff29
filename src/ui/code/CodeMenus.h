#pragma once

#include <QObject>
#include <memory>

class CodeCompanion;
class SettingsIntStore;
class TfrmVimsel;
class QAction;

// The keys pupils know from the Arduino IDE and the menus that show them: Ctrl+N new,
// "Προβολή" with the code beside the blocks (kept in the settings) and the lessons
// (F1), and "Arduino" with "Έλεγχος" (Ctrl+R: compile without uploading) and
// "Αποστολή στο Arduino" (Ctrl+U).
class CodeMenus : public QObject {
    Q_OBJECT
public:
    CodeMenus(TfrmVimsel &window, CodeCompanion &code);
    ~CodeMenus() override;

    QAction *acCodeBeside() const { return fCodeBeside; }
    QAction *acLessons() const { return fLessons; }
    QAction *acCheck() const { return fCheck; }
    QAction *acUpload() const { return fUpload; }

    static QString settingsGroup() { return QStringLiteral("View"); }
    static QString besideKey() { return QStringLiteral("CodeBesideBlocks"); }

    // "Έλεγχος": the sketch into the code page, then compiled without uploading.
    void check();

private:
    TfrmVimsel &fWindow;
    CodeCompanion &fCode;
    std::unique_ptr<SettingsIntStore> fSettings;
    QAction *fCodeBeside;
    QAction *fLessons;
    QAction *fCheck;
    QAction *fUpload;
};
