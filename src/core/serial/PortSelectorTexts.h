#pragma once

#include <QString>

// The texts around the port selector in the status bar.
class PortSelectorTexts {
public:
    // The first panel's text; the selector stands right of it.
    static QString panelText() { return QStringLiteral("Port: "); }
    // The status bar's hint after every refresh (two lines, CR LF between them).
    static QString portHint();
    static QString balloonTitle();
    // The balloon's text: the status bar's current hint over a rule.
    static QString balloonText(const QString &hint);
};
