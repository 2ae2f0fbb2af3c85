#pragma once

#include <QTranslator>

// The program's own words for Qt's standard buttons (OK, Cancel, Help, Yes,
// No) wherever Qt makes one: message boxes, dialog button boxes and Qt's own
// dialogs. Installed after Qt's translations, it answers first for these few
// texts and leaves every other one to them.
class ButtonTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
};
