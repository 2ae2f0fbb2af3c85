#include "app/frame/shortcuts/shortcut_offer.h"

#include <QCheckBox>
#include <QMessageBox>

#include "app/common/ui_strings.h"
#include "app/frame/shortcuts/shortcut_texts.h"

ShortcutOfferAnswer askShortcutOffer(QWidget* owner) {
    QMessageBox box(owner);
    box.setObjectName(QStringLiteral("shortcutOffer"));
    box.setWindowTitle(uiText(UiStringId::kProductName));
    box.setIcon(QMessageBox::Question);
    box.setTextFormat(Qt::PlainText);
    box.setText(shortcutText("offer.text") + QStringLiteral("\n\n") +
                shortcutText("offer.question"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    auto* again = new QCheckBox(shortcutText("offer.showAgain"), &box);
    again->setObjectName(QStringLiteral("offerAgain"));
    again->setChecked(true);
    box.setCheckBox(again);
    const int answer = box.exec();
    return {answer == QMessageBox::Yes, again->isChecked()};
}
