// The application object as setUpApplicationObject() leaves it (the test
// runner calls it before any test): Qt's buttons and dialogs in Japanese.
#include "app/frame/app_setup.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/common/message_box.h"
#include "app/test_support.h"

namespace {

struct ButtonCase {
    QDialogButtonBox::StandardButton button;
    const char* text;
};
constexpr ButtonCase kButtons[] = {
    {QDialogButtonBox::Ok, "OK"},           {QDialogButtonBox::Cancel, "キャンセル"},
    {QDialogButtonBox::Help, "ヘルプ(&H)"}, {QDialogButtonBox::Yes, "はい(&Y)"},
    {QDialogButtonBox::No, "いいえ(&N)"},
};

TEST(JapaneseQt, DialogButtonBoxesUseTheProgramsButtonTexts) {
    for (const ButtonCase& c : kButtons) {
        QDialogButtonBox box(c.button);
        ASSERT_NE(box.button(c.button), nullptr);
        EXPECT_EQ(box.button(c.button)->text(), QString::fromUtf8(c.text)) << c.text;
    }
}

TEST(JapaneseQt, MessageBoxesUseTheProgramsButtonTexts) {
    const struct {
        MessageKind kind;
        QStringList texts;
    } cases[] = {
        {MessageKind::kError, {"OK"}},
        {MessageKind::kQuestion, {"はい(&Y)", "いいえ(&N)"}},
        {MessageKind::kQuestionOrCancel, {"はい(&Y)", "いいえ(&N)", "キャンセル"}},
    };
    for (const auto& c : cases) {
        DialogAnswerer answerer;
        QStringList seen;
        answerer.then([&seen](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box) {
                for (QAbstractButton* b : box->buttons())
                    seen << b->text();
            }
            static_cast<QDialog*>(dialog)->reject();
        });
        showMessage(nullptr, c.kind, QStringLiteral("?"));
        seen.sort();
        QStringList expected = c.texts;
        expected.sort();
        EXPECT_EQ(seen, expected);
    }
}

bool isAscii(const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() > 0x7F)
            return false;
    }
    return true;
}

TEST(JapaneseQt, QtsOwnDialogsAreNotEnglish) {
    QFileDialog files;
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
        auto* label = files.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(isAscii(label->text())) << name << ": " << label->text().toStdString();
    }
    QColorDialog colours;
    EXPECT_FALSE(isAscii(colours.windowTitle())) << colours.windowTitle().toStdString();
    QFontDialog fonts;
    EXPECT_FALSE(isAscii(fonts.windowTitle())) << fonts.windowTitle().toStdString();
}

}  // namespace
