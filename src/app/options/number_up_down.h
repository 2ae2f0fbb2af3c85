#pragma once

#include <QAbstractSpinBox>

// A number box with arrows, as the options pages have them: the arrows step
// within [minimum, maximum], but the box takes whatever is typed, so that a
// page can refuse a bad number with its own message when it is left.
class NumberUpDown : public QAbstractSpinBox {
    Q_OBJECT
public:
    NumberUpDown(int minimum, int maximum, QWidget* parent = nullptr);

    QString typed() const { return text(); }
    void setTyped(const QString& text);
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum;
    int m_maximum;
};
