#include "core/automation/automation_error.h"

#include <gtest/gtest.h>

#include <vector>

namespace tidemark {
namespace {

TEST(AutomationErrorTest, MessagesFillTheirTextAndNumber) {
    struct Case {
        AutomationError error;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Raise(20059), "このオブジェクトは既に削除されています。"},
        {RaiseWithNumber(20054, -3), "position引数に指定された値(-3)は正しくありません。"},
        {AutomationError{20044, "a.txt", 5},
         "\"a.txt\"というファイルの読み込みに失敗しました。(5)"},
        {AutomationError{20070, "", 84}, "メモリ不足が発生しました。(84)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.error.Message(), c.message) << c.error.stringId;
    EXPECT_EQ(AutomationError::Source(), "Tidemarkスクリプト実行時エラー");
}

}  // namespace
}  // namespace tidemark
