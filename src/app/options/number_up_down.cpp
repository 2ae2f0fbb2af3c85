#include "app/options/number_up_down.h"

#include <QLineEdit>
#include <algorithm>

#include "core/common/whole_number.h"

NumberUpDown::NumberUpDown(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum) {}

void NumberUpDown::setTyped(const QString& text) {
    lineEdit()->setText(text);
}

void NumberUpDown::stepBy(int steps) {
    const std::optional<long> now = tidemark::ReadWholeNumber(text().toStdString());
    long next = now ? *now + steps : m_minimum;
    next = std::clamp<long>(next, m_minimum, m_maximum);
    lineEdit()->setText(QString::number(next));
}

QAbstractSpinBox::StepEnabled NumberUpDown::stepEnabled() const {
    const std::optional<long> now = tidemark::ReadWholeNumber(text().toStdString());
    if (!now)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*now < m_maximum)
        enabled |= StepUpEnabled;
    if (*now > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}
