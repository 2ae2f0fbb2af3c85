#include "app/textio/other_file_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/common/link_opener.h"

namespace {

class RecordingOpener : public LinkOpener {
public:
    bool openLink(const QString& target) override {
        opened << target;
        return true;
    }
    QStringList opened;
};

template <typename Widget>
Widget* part(const QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(TextOtherFileDialogTest, AnswersTheChosenWayAfterOkAndAbortOtherwise) {
    using Choice = ImportPrompts::OtherFileChoice;
    const struct {
        const char* radio;  // null: keep the preset choice
        const char* button;
        Choice choice;
    } cases[] = {
        {nullptr, "ok", Choice::kImportAsText},
        {"asLink", "ok", Choice::kLinkMemo},
        {"skip", "ok", Choice::kSkip},
        {"asLink", "abort", Choice::kAbort},
    };
    RecordingOpener opener;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.radio ? c.radio : "preset") + " + " + c.button);
        OtherFileDialog dialog(QStringLiteral("/data/in/report.pdf"), opener);
        if (c.radio)
            part<QRadioButton>(dialog, c.radio)->setChecked(true);
        part<QPushButton>(dialog, c.button)->click();
        EXPECT_EQ(dialog.choice(), c.choice);
    }
}

TEST(TextOtherFileDialogTest, ShowsNameAndFolderAndOpensTheFileOnRequest) {
    RecordingOpener opener;
    OtherFileDialog dialog(QStringLiteral("/data/in/report.pdf"), opener);
    EXPECT_EQ(part<QLineEdit>(dialog, "fileName")->text(), QStringLiteral("report.pdf"));
    EXPECT_EQ(part<QLineEdit>(dialog, "folder")->text(), QStringLiteral("/data/in"));
    part<QPushButton>(dialog, "openFile")->click();
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("/data/in/report.pdf")});
    EXPECT_EQ(dialog.result(), 0);  // still open, nothing chosen
}

}  // namespace
