#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTranslator>

class QCoreApplication;

// Greek for the texts Qt itself shows: the standard buttons of message boxes and
// input boxes, the file dialog, the file list's columns, the context menus of text
// fields, spin boxes and scroll bars. Qt ships no Greek translation of its own.
// Texts not in the table are left to Qt (an empty translation keeps the original).
class QtGreekTexts : public QTranslator {
    Q_OBJECT
public:
    struct Entry {
        const char *context;
        const char *source;
        QString greek;
    };

    explicit QtGreekTexts(QObject *parent = nullptr);

    // Installs the application's one instance, a child of app; calling it again
    // returns that instance. Install before building widgets: texts already set are
    // translated again only where a widget handles the language change.
    static QtGreekTexts *install(QCoreApplication &app);

    // Every (context, source text) with its Greek, in table order.
    static QList<Entry> entries();

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    QHash<QByteArray, QString> fTexts;
};
