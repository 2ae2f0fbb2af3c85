#include "app/frame/path_box.h"

#include <QLineEdit>

PathBox::PathBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("pathBox"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumWidth(100);
    resize(kWidth, height());
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}
