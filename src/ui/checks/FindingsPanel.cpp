#include "checks/FindingsPanel.h"

#include "checks/ProjectChecks.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The panel stands out from the grey canvas and the palette as a note does.
const QColor kNoteColour(0xFF, 0xF4, 0xCE);

QString subjectOf(const Finding &f)
{
    switch (f.subject) {
    case Finding::Subject::Block:
        return u'«' + f.label + u'»';
    case Finding::Subject::Device:
        return u"συσκευή "_s + f.label;
    case Finding::Subject::Variable:
        return u"μεταβλητή «"_s + f.label + u'»';
    }
    return f.label;
}

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

FindingsPanel::FindingsPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(u"FindingsPanel"_s);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kNoteColour);
    setPalette(pal);
    setMinimumHeight(140);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(8, 6, 8, 8);
    auto *header = new QHBoxLayout;
    auto *title = new QLabel(u"Έλεγχος πριν την αποστολή"_s, this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    header->addWidget(title);
    fSummary = wrappedLabel(QString(), this);
    header->addWidget(fSummary, 1);
    lay->addLayout(header);

    auto *body = new QHBoxLayout;
    lay->addLayout(body, 1);
    fList = new QListWidget(this);
    fList->setObjectName(u"FindingsList"_s);
    QFont listFont = fList->font();
    listFont.setPointSize(std::max(listFont.pointSize(), 9));
    fList->setFont(listFont);
    fList->setWordWrap(true);
    fList->setTextElideMode(Qt::ElideNone);
    fList->setResizeMode(QListView::Adjust);
    fList->setSpacing(2);
    fList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    body->addWidget(fList, 1);
    const auto choose = [this](QListWidgetItem *item) {
        const int row = fList->row(item);
        if (row >= 0 && row < fFindings.size())
            emit findingChosen(fFindings.at(row));
    };
    connect(fList, &QListWidget::itemClicked, this, choose);
    connect(fList, &QListWidget::itemActivated, this, choose);

    // The choice stands right of the list: first the question, after "Διόρθωση" a
    // reminder of what to do next.
    auto *side = new QVBoxLayout;
    body->addLayout(side);
    fQuestion = new QWidget(this);
    fQuestion->setFixedWidth(190);
    auto *question = new QVBoxLayout(fQuestion);
    question->setContentsMargins(0, 0, 0, 0);
    question->addWidget(wrappedLabel(u"Να σταλεί το πρόγραμμα όπως είναι;"_s, fQuestion));
    fContinue = new QPushButton(u"Συνέχεια"_s, fQuestion);
    fContinue->setToolTip(u"Στέλνει το πρόγραμμα στο Arduino όπως είναι"_s);
    fFix = new QPushButton(u"Διόρθωση"_s, fQuestion);
    fFix->setToolTip(u"Δεν στέλνει τίποτα: διορθώνεις πρώτα το πρόγραμμα"_s);
    question->addWidget(fContinue);
    question->addWidget(fFix);
    side->addWidget(fQuestion);
    connect(fContinue, &QPushButton::clicked, this, [this] {
        hide();
        emit continueChosen();
    });
    connect(fFix, &QPushButton::clicked, this, &FindingsPanel::fix);

    fFixing = new QWidget(this);
    fFixing->setFixedWidth(190);
    auto *fixing = new QVBoxLayout(fFixing);
    fixing->setContentsMargins(0, 0, 0, 0);
    fixing->addWidget(wrappedLabel(u"Διόρθωσε το πρόγραμμα και πάτησε ξανά «Αποστολή στο Arduino»."_s, fFixing));
    fClose = new QPushButton(u"Κλείσιμο"_s, fFixing);
    fixing->addWidget(fClose);
    side->addWidget(fFixing);
    side->addStretch(1);
    connect(fClose, &QPushButton::clicked, this, &QWidget::hide);
}

void FindingsPanel::showFindings(const QList<Finding> &findings)
{
    fFindings = findings;
    fList->clear();
    if (findings.isEmpty()) {
        hide();
        return;
    }
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const Finding &f : findings) {
        const QString kind = f.isError() ? u"Λάθος"_s : u"Προσοχή"_s;
        auto *item = new QListWidgetItem(f.isError() ? error : warning,
                                         kind + u" — "_s + subjectOf(f) + u'\n' + f.text, fList);
        item->setToolTip(f.text);
        if (f.isError())
            item->setForeground(QColor(0xB0, 0x00, 0x00));
    }
    QString summary = findings.size() == 1
                          ? u"Βρέθηκε κάτι που μάλλον θέλει διόρθωση."_s
                          : u"Βρέθηκαν %1 πράγματα που μάλλον θέλουν διόρθωση."_s.arg(findings.size());
    summary += u" Πάτησε πάνω σε ένα για να δεις πού είναι."_s;
    if (ProjectChecks::hasErrors(findings))
        summary += u" Με τα «Λάθος» ο κώδικας δεν θα μεταγλωττιστεί."_s;
    fSummary->setText(summary);
    fQuestion->show();
    fFixing->hide();
    show();
    fContinue->setFocus();
}

bool FindingsPanel::asking() const
{
    return !isHidden() && !fQuestion->isHidden();
}

void FindingsPanel::fix()
{
    fQuestion->hide();
    fFixing->show();
}

QSize FindingsPanel::sizeHint() const
{
    return QSize(QFrame::sizeHint().width(), 210);
}
