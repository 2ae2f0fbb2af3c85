#pragma once

#include <QLineEdit>

// The edit box of a title edited in place: at most kMaxTitleBytes bytes in
// the note's encoding (longer input is cut without splitting a character);
// Up and Down ask to move the edit to the row above or below.
class TitleEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit TitleEditor(QWidget* parent = nullptr);

signals:
    // Up (-1) or Down (+1) was pressed.
    void moveRequested(int direction);
    // The user typed or moved the cursor (the window refreshes its menus).
    void activity();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The title comes in all selected with the cursor at its start, so that
    // a long title shows its beginning.
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void keepWithinLimit();
};
