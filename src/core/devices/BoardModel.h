#pragma once

#include <QString>

// The board the project is built for: the selection in the board page's list
// (0 Uno, 1 Nano, 2 Mega, -1 none).
class BoardModel {
public:
    static constexpr int NoBoard = -1;
    // The highest pin of the board with the most pins: what a pin spin box offers on
    // every board, so that a pin survives a switch to a smaller board and back.
    static constexpr int HighestPinOfAnyBoard = 59;

    int typeId() const { return m_typeId; }
    // An index outside 0..2 selects no board: the name empties, MaxPin stays as it was.
    void select(int typeId);

    QString name() const { return m_name; }
    // The board's highest pin; a device's pin above it is not on the board.
    int maxPin() const { return m_maxPin; }
    // The board name the firmware burner passes to its tool; empty without a board.
    QString family() const;
    // The file name of the pinout picture in the images folder; empty without a board,
    // which clears the picture.
    QString pinoutPictureName() const;

private:
    int m_typeId = NoBoard;
    QString m_name;
    int m_maxPin = 19;
};
