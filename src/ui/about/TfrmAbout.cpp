#include "about/TfrmAbout.h"

#include "shell/ProgramVersion.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QFont tahoma(int pixelSize, bool bold)
{
    QFont f(u"Tahoma"_s);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"Σχετικά με την εφαρμογή"_s);
    setFixedSize(633, 436);
    setContentsMargins(5, 5, 5, 5);

    fTitle = new QLabel(ProgramVersion::title(), this);
    fTitle->setObjectName(u"Label1"_s);
    fTitle->setFont(tahoma(19, true));
    fTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fTitle->setGeometry(24, 16, 585, 26);

    fVersion = new QLabel(ProgramVersion::versionText(), this);
    fVersion->setObjectName(u"Label2"_s);
    fVersion->setFont(tahoma(19, false));
    fVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fVersion->setGeometry(24, 48, 585, 26);

    // The product separates its lines with a line feed and a carriage return; shown,
    // each pair is one line break, and the blanks around the texts stay.
    QString shown = descriptionText();
    shown.replace(u"\n\r"_s, u"\n"_s);
    fDescription = new QLabel(shown, this);
    fDescription->setObjectName(u"Label3"_s);
    fDescription->setTextFormat(Qt::PlainText);
    fDescription->setFont(tahoma(13, true));
    fDescription->setStyleSheet(u"color: navy;"_s);
    fDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fDescription->setGeometry(24, 90, 585, 321);

    for (QLabel *label : {fTitle, fVersion, fDescription})
        label->installEventFilter(this);

    fTimer = new QTimer(this);
    fTimer->setObjectName(u"Timer1"_s);
    fTimer->setInterval(FadeIn::IntervalMs);
    connect(fTimer, &QTimer::timeout, this, &TfrmAbout::fadeStep);
}

QString TfrmAbout::descriptionText()
{
    return u" Σύστημα εκμάθησης προγραμματισμού με την χρήση \n\r προγραμματιζόμενου Arduino\n\r\n\r"
           u" ► Arduino Mega 2560\n\r ► Arduino Mini \n\r ► Arduino Uno \n\r ====== Συσκευές =======\n\r"
           u" ► Ασύρματη σύνδεση Bluetooth\n\r ► Οθόνη LCD 16 χαρακτήρων 2 γραμμών (16x2)\n\r"
           u" ► Αισθητήρας απόστασης υπερήχων\n\r ► Motor για περιστροφή 180 μοίρες\n\r"
           u" ► Αισθητήρας μαύρου χρώματος \n\r ► Αισθητήρας Laser\n\r ► Αισθητήρας Φωτός\n\r"
           u" ► Γυροσκόπιο (6dof)\n\r ► Laser\n\r ► Ηχείο (Piezo Buzzer)"_s;
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (QWidget *owner = parentWidget())
        move(owner->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    fFade.start();
    setWindowOpacity(fFade.initialOpacity() / 255.0);
    fTimer->start();
}

void TfrmAbout::fadeStep()
{
    fTimer->stop();
    const FadeIn::Tick tick = fFade.tick();
    setWindowOpacity(tick.opacity / 255.0);
    if (tick.again)
        fTimer->start();
    else
        setWindowOpacity(1.0);
}

void TfrmAbout::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    fTimer->stop();
    accept();
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        fTimer->stop();
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
