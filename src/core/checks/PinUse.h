#pragma once

class TKeloBlock;

// What a pin block of the general commands does with its pin: the two "Διαμόρφωσε"
// blocks, the two "Θέσε το pin" blocks and the two "Εάν το pin" conditions.
struct PinUse {
    enum class Action { ConfigureOutput, ConfigureInput, Write, Read };
    // What the last "Διαμόρφωσε" block of the pin before this block, in program
    // order, made of the pin.
    enum class Mode { Unset, Output, Input };

    const TKeloBlock *block = nullptr;
    int pin = -1;
    Action action = Action::Write;
    Mode modeBefore = Mode::Unset;

    bool writes() const { return action == Action::Write || action == Action::ConfigureOutput; }
    bool reads() const { return action == Action::Read || action == Action::ConfigureInput; }

    // The use of a block, if it is a pin block whose pin is a number (a value block
    // in the pin's slot gives a pin known only when the program runs).
    static bool of(const TKeloBlock *block, PinUse *use);
};
