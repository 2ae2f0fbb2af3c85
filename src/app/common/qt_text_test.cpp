#include "app/common/qt_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(UnstorableSpans, FindEachCharacterTheNoteCannotHold) {
    const QString loneHigh(QChar(0xD83D));
    const struct {
        QString text;
        std::vector<std::pair<qsizetype, qsizetype>> spans;  // start, length
        QString lost;
    } cases[] = {
        {"", {}, ""},
        {"あ～−abc", {}, ""},  // wave dash and minus have CP932 forms
        {"a😀b", {{1, 2}}, "😀"},
        {"😀😀", {{0, 2}, {2, 2}}, "😀😀"},
        {"\u0E01あ\u0E01", {{0, 1}, {2, 1}}, "\u0E01\u0E01"},
        {"a" + loneHigh + "b", {{1, 1}}, "\uFFFD"},
    };
    for (const auto& c : cases) {
        QString lost;
        std::vector<std::pair<qsizetype, qsizetype>> spans;
        for (const TextSpan& span : unstorableSpans(c.text, &lost))
            spans.emplace_back(span.start, span.length);
        EXPECT_EQ(spans, c.spans) << c.text.toStdString();
        EXPECT_EQ(lost, c.lost) << c.text.toStdString();
    }
}

}  // namespace
