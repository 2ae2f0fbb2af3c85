#pragma once

#include <QComboBox>

// The navigation path box: an editable list of the focused item of the memo
// list and its ancestors, its field showing the focused item's title. The
// memo list fills it; until then it stays empty.
class PathBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kWidth = 240;

    explicit PathBox(QWidget* parent = nullptr);
};
