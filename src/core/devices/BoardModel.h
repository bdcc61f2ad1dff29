#pragma once

#include <QString>

// The board the project is built for: the selection in the board page's list
// (0 Uno, 1 Nano, 2 Mega, -1 none).
class BoardModel {
public:
    static constexpr int NoBoard = -1;

    int typeId() const { return m_typeId; }
    // An index outside 0..2 selects no board: the name empties, MaxPin stays as it was.
    void select(int typeId);

    QString name() const { return m_name; }
    // The highest pin number that pin spin boxes offer.
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
