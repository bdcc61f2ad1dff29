#include "checks/BoardPinRule.h"

#include "checks/CheckContext.h"
#include "devices/ActiveDevices.h"

#include <QMap>

using namespace Qt::StringLiterals;

namespace {

const QString kUsbWhy = u"Τα pin 0 και 1 τα χρησιμοποιεί το Arduino για να μιλά με τον υπολογιστή μέσω USB: ό,τι "
                        u"συνδεθεί εκεί μπορεί να χαλάσει την αποστολή του προγράμματος και δεν θα δουλεύει σωστά. "
                        u"Διάλεξε ένα pin από το 2 και πάνω."_s;

// A pin of the Mega's that the smaller boards lack (not one of the Nano's A6/A7).
bool onlyOnTheMega(const BoardPins &board, int pin)
{
    return !board.isMega() && pin >= 20 && pin < 70 && board.analogInputPin(pin) < 0;
}

QString missingPin(const BoardPins &board, int pin)
{
    QString text = u"Το %1 δεν έχει pin %2. Έχει τα pin %3."_s.arg(board.boardName(), QString::number(pin),
                                                                   board.pinRange());
    if (onlyOnTheMega(board, pin))
        text += u" Το pin %1 υπάρχει μόνο στο Arduino Mega: αν έχεις Mega, διάλεξέ το στη σελίδα «Συσκευές»."_s.arg(
            pin);
    return text;
}

// What to do about a device's pin the board lacks: the pin is kept as chosen.
QString devicePinAdvice(const BoardPins &board, int pin)
{
    QString text = u"Διάλεξε ένα από τα pin %1 στη σελίδα της συσκευής."_s.arg(board.pinRange());
    if (onlyOnTheMega(board, pin))
        text += u" Αν έχεις Arduino Mega, διάλεξέ το στη σελίδα «Συσκευές»."_s;
    return text;
}

} // namespace

void BoardPinRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    checkBlocks(project, findings);
    checkDevices(project, findings);
}

void BoardPinRule::checkBlocks(const CheckContext &project, QList<Finding> &findings)
{
    const BoardPins &board = project.board();
    QSet<int> told;
    for (const PinUse &use : project.pinUses()) {
        if (told.contains(use.pin))
            continue;
        if (!board.hasPin(use.pin)) {
            told.insert(use.pin);
            findings.append(Finding::aboutBlock(Finding::Severity::Warning, u"pin-missing"_s, use.block,
                                                missingPin(board, use.pin)));
        } else if (BoardPins::isUsbPin(use.pin)) {
            told.insert(use.pin);
            findings.append(Finding::aboutBlock(Finding::Severity::Warning, u"usb-pin"_s, use.block,
                                                u"Αυτό το block χρησιμοποιεί το pin %1. "_s.arg(use.pin) + kUsbWhy));
        }
    }
}

void BoardPinRule::checkDevices(const CheckContext &project, QList<Finding> &findings)
{
    const BoardPins &board = project.board();
    // Per device, in device order: its pins on 0 and 1.
    QMap<int, QList<DevicePin>> onUsb;
    for (const DevicePin &d : project.devicePins()) {
        if (d.role == DevicePin::Role::AnalogueInput) {
            if (board.analogInputPin(d.setting) < 0) {
                findings.append(Finding::aboutDevice(
                    Finding::Severity::Warning, u"analogue-pin"_s, d.deviceName,
                    u"Η συσκευή %1 είναι στο pin %2, που δεν είναι αναλογική είσοδος. Στο %3 οι αναλογικές "
                    u"είσοδοι είναι τα %4."_s.arg(d.deviceName, QString::number(d.setting), board.boardName(),
                                                  board.analogRange())));
            }
        } else if (!board.hasPin(d.pin)) {
            // The device's code would drive a pin that is not there: the sketch
            // compiles, but nothing the pupil wired works.
            findings.append(Finding::aboutDevice(
                Finding::Severity::Error, u"pin-missing"_s, d.deviceName,
                u"Το pin %1 δεν υπάρχει στο %2: η συσκευή %3 έχει εκεί το %4. "_s.arg(
                    QString::number(d.pin), board.boardName(), d.deviceName, d.label)
                    + devicePinAdvice(board, d.pin)));
        } else if (BoardPins::isUsbPin(d.pin)) {
            onUsb[d.device].append(d);
        }
    }
    for (const QList<DevicePin> &pins : onUsb) {
        findings.append(Finding::aboutDevice(Finding::Severity::Warning, u"usb-pin"_s, pins.first().deviceName,
                                             u"Η συσκευή %1 έχει %2. "_s.arg(pins.first().deviceName,
                                                                              DevicePin::where(pins, board))
                                                 + kUsbWhy));
    }
}
