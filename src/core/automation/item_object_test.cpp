#include "core/automation/item_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/automation/automation_fakes_for_test.h"

namespace tidemark {
namespace {

namespace C = AutomationConstant;

class ItemObjectTest : public WindowNoteTest {};

TEST_F(ItemObjectTest, ChecksComeInOrderReadOnlyDeletedRoot) {
    const ItemId id = memo(rootId(), "m");
    const ItemHandle gone = object(id);
    ASSERT_TRUE(gone->DeleteItem().Ok());
    const ItemHandle root = rootObject();

    window.host.readOnly = true;
    EXPECT_EQ(ErrorOf(gone->SetTitle("x")), 20095u);  // read-only before deleted
    EXPECT_EQ(ErrorOf(root->SetTitle("x")), 20095u);  // read-only before root
    window.host.readOnly = false;
    EXPECT_EQ(ErrorOf(gone->SetTitle("x")), 20059u);
    EXPECT_EQ(ErrorOf(root->SetTitle("x")), 20053u);
    EXPECT_EQ(ErrorOf(root->Title()), 20053u);
}

TEST_F(ItemObjectTest, OpeningAndReadingNeedNoWritableNote) {
    const ItemId g = group(rootId(), "g");
    window.host.readOnly = true;
    EXPECT_TRUE(node(g)->SetOpen(false).Ok());
    EXPECT_FALSE(at(g).IsOpen());
    EXPECT_EQ(node(g)->Title().Value(), "g");
    EXPECT_EQ(ErrorOf(node(g)->NewItem(C::kMemo, C::kChild)), 20095u);
    EXPECT_EQ(ErrorOf(node(g)->SetStrikeOut(true)), 20095u);
}

TEST_F(ItemObjectTest, TitlesAndRemarksTakeUpTo259Bytes) {
    const std::string kana = "\xE3\x81\x82";  // "あ": two bytes in the note
    auto repeat = [](const std::string& s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += s;
        return out;
    };
    struct Case {
        std::string text;
        bool taken;
    };
    const std::vector<Case> cases = {
        {std::string(259, 'a'), true},
        {std::string(260, 'a'), false},
        {repeat(kana, 129) + "a", true},  // 259 bytes
        {repeat(kana, 130), false},       // 260 bytes
    };
    const ItemHandle item = object(memo(rootId(), "before"));
    for (const Case& c : cases) {
        const Status title = item->SetTitle(c.text);
        const Status remarks = item->SetRemarks(c.text);
        EXPECT_EQ(title.Ok(), c.taken) << c.text.size();
        EXPECT_EQ(remarks.Ok(), c.taken) << c.text.size();
        if (c.taken) {
            EXPECT_EQ(item->Title().Value(), c.text);
            EXPECT_EQ(item->Remarks().Value(), c.text);
        } else {
            EXPECT_EQ(title.Error().stringId, 20051u);
            EXPECT_EQ(remarks.Error().stringId, 20052u);
        }
    }
}

TEST_F(ItemObjectTest, TextTheNoteCannotHoldIsRefusedNamingItsCharacters) {
    const ItemId id = memo(rootId(), "kept");
    const ItemHandle item = object(id);
    const std::string typed =
        "a\xF0\x9F\x98\x80"
        "b\xF0\x9F\x98\x80\xED\x95\x9C";  // a😀b😀한
    for (const Status& refused :
         {item->SetTitle(typed), item->SetRemarks(typed), text(id)->SetBody(typed)}) {
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().stringId, 20100u);
        EXPECT_EQ(refused.Error().argument, "\xF0\x9F\x98\x80\xED\x95\x9C");  // each once
        EXPECT_EQ(
            refused.Error().Message(),
            "「\xF0\x9F\x98\x80\xED\x95\x9C」はノートに保存できない文字のため、設定できません。");
    }
    EXPECT_EQ(at(id).Title(), ByteString("kept"));
    EXPECT_FALSE(at(id).HasFlag(ItemFlags::kHasRemarks));
    EXPECT_EQ(window.host.modifiedMarks, 0);
}

TEST_F(ItemObjectTest, JapaneseTextIsStoredAsShiftJis) {
    const ItemId id = memo(rootId(), "m");
    ASSERT_TRUE(object(id)->SetTitle("メモ").Ok());
    EXPECT_EQ(at(id).Title(), ByteString("\x83\x81\x83\x82"));
    EXPECT_EQ(object(id)->Title().Value(), "メモ");
}

TEST_F(ItemObjectTest, ColourTextsOfEitherCaseSetTheColourAndEmptyClearsIt) {
    const ItemId id = memo(rootId(), "m");
    const ItemHandle item = object(id);
    for (const char* code : {"#FF8000", "#ff8000", "#Ff8000"}) {
        ASSERT_TRUE(item->SetForeground(code).Ok()) << code;
        ASSERT_TRUE(item->SetBackground(code).Ok()) << code;
        EXPECT_EQ(at(id).ForegroundColour(), MakeColour(0xFF, 0x80, 0x00));
        EXPECT_EQ(item->Foreground().Value(), "#ff8000");
        EXPECT_EQ(item->Background().Value(), "#ff8000");
    }
    ASSERT_TRUE(item->SetForeground("").Ok());
    EXPECT_FALSE(at(id).HasOwnTextColour());
    EXPECT_EQ(item->Foreground().Value(), "");
    EXPECT_EQ(item->Background().Value(), "#ff8000");
}

TEST_F(ItemObjectTest, MalformedColourTextsRaise20048AndChangeNothing) {
    const ItemId id = memo(rootId(), "m");
    const ItemHandle item = object(id);
    ASSERT_TRUE(item->SetForeground("#010203").Ok());
    const int marks = window.host.modifiedMarks;
    for (const char* code : {"ff8000", "xff8000", "#ff800", "#ff80000", "#ff80g0", " #ff8000"}) {
        const Status refused = item->SetForeground(code);
        ASSERT_FALSE(refused.Ok()) << code;
        EXPECT_EQ(refused.Error().stringId, 20048u);
        EXPECT_EQ(refused.Error().argument, code);
    }
    EXPECT_EQ(item->Foreground().Value(), "#010203");
    EXPECT_EQ(window.host.modifiedMarks, marks);
}

TEST_F(ItemObjectTest, EmptyRemarksClearTheRemarksFlag) {
    const ItemId id = memo(rootId(), "m");
    ASSERT_TRUE(object(id)->SetRemarks("r").Ok());
    EXPECT_TRUE(at(id).HasFlag(ItemFlags::kHasRemarks));
    ASSERT_TRUE(object(id)->SetRemarks("").Ok());
    EXPECT_FALSE(at(id).HasFlag(ItemFlags::kHasRemarks));
    EXPECT_EQ(object(id)->Remarks().Value(), "");
}

TEST_F(ItemObjectTest, BodiesAreCrLfInsideAndLfOutside) {
    const ItemId id = memo(rootId(), "m");
    ASSERT_TRUE(text(id)->SetBody("one\ntwo\r\nthree\n").Ok());
    EXPECT_EQ(static_cast<Memo&>(at(id)).Body(), ByteString("one\r\ntwo\r\nthree\r\n"));
    EXPECT_EQ(text(id)->Body().Value(), "one\ntwo\nthree\n");
}

TEST_F(ItemObjectTest, ChangesStampTheItemAndMarkTheWindowsNote) {
    const ItemId id = memo(rootId(), "m");
    at(id).SetRawModifiedTime(MakeTime(2001, 2, 3, 4, 5, 6));
    EXPECT_EQ(object(id)->ModifiedTime().Value(), "2001/02/03 4:05");
    const std::vector<std::function<Status()>> changes = {
        [&] { return object(id)->SetTitle("t"); },
        [&] { return object(id)->SetRemarks("r"); },
        [&] { return object(id)->SetForeground("#000000"); },
        [&] { return object(id)->SetBackground(""); },
        [&] { return object(id)->SetStrikeOut(true); },
        [&] { return text(id)->SetBody("b"); },
        [&] { return text(id)->SetWordWrap(false); },
        [&] { return text(id)->SetUrlBody(true); },
        [&] { return text(id)->SetUrlRemarks(true); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        at(id).SetRawModifiedTime(MakeTime(2001, 2, 3, 4, 5, 6));
        ASSERT_TRUE(changes[i]().Ok()) << i;
        EXPECT_EQ(window.host.modifiedMarks, static_cast<int>(i + 1));
        EXPECT_EQ(object(id)->ModifiedTime().Value(), "2004/05/06 13:45") << i;
    }
}

TEST_F(ItemObjectTest, LinkFlagsExcludeEachOther) {
    const ItemId id = memo(rootId(), "m");
    const auto item = text(id);
    ASSERT_TRUE(item->SetUrlBody(true).Ok());
    ASSERT_TRUE(item->SetUrlRemarks(true).Ok());
    EXPECT_FALSE(item->UrlBody().Value());
    EXPECT_TRUE(item->UrlRemarks().Value());
    ASSERT_TRUE(item->SetUrlRemarks(false).Ok());
    EXPECT_FALSE(item->UrlRemarks().Value());
    EXPECT_FALSE(item->UrlBody().Value());
}

TEST_F(ItemObjectTest, ADeletedObjectAnswersOnlyIsDeletedAndModifiedTime) {
    const ItemId g = group(rootId(), "g");
    const ItemId m = memo(g, "m");
    const auto groupObject = node(g);
    const auto memoObject = text(m);
    ASSERT_TRUE(groupObject->DeleteItem().Ok());  // takes the memo with it

    EXPECT_TRUE(groupObject->IsDeleted().Value());
    EXPECT_TRUE(memoObject->IsDeleted().Value());
    EXPECT_TRUE(memoObject->ModifiedTime().Ok());
    const ItemHandle root = rootObject();
    const std::vector<std::function<std::uint32_t()>> members = {
        [&] { return ErrorOf(memoObject->Id()); },
        [&] { return ErrorOf(memoObject->Type()); },
        [&] { return ErrorOf(memoObject->Title()); },
        [&] { return ErrorOf(memoObject->SetTitle("t")); },
        [&] { return ErrorOf(memoObject->Remarks()); },
        [&] { return ErrorOf(memoObject->SetForeground("")); },
        [&] { return ErrorOf(memoObject->StrikeOut()); },
        [&] { return ErrorOf(memoObject->Body()); },
        [&] { return ErrorOf(memoObject->SetBody("b")); },
        [&] { return ErrorOf(memoObject->WordWrap()); },
        [&] { return ErrorOf(memoObject->UrlBody()); },
        [&] { return ErrorOf(memoObject->Exist(C::kParent)); },
        [&] { return ErrorOf(memoObject->GetItem(C::kParent)); },
        [&] { return ErrorOf(memoObject->NewItem(C::kMemo, C::kNext)); },
        [&] { return ErrorOf(memoObject->DeleteItem()); },
        [&] { return ErrorOf(memoObject->MoveTo(root.get(), C::kChild)); },
        [&] { return ErrorOf(memoObject->IsParent(root.get())); },
        [&] { return ErrorOf(groupObject->Open()); },
        [&] { return ErrorOf(groupObject->SetOpen(false)); },
        [&] { return ErrorOf(groupObject->Encrypted()); },
        [&] { return ErrorOf(groupObject->GetChildItemCount()); },
        [&] { return ErrorOf(groupObject->GetChildItem(0)); },
    };
    for (std::size_t i = 0; i < members.size(); ++i)
        EXPECT_EQ(members[i](), 20059u) << i;
    // As an argument it is no item of the note.
    const ItemHandle other = object(memo(rootId(), "other"));
    EXPECT_EQ(ErrorOf(other->IsParent(memoObject.get())), 20060u);
    EXPECT_EQ(ErrorOf(other->MoveTo(groupObject.get(), C::kNext)), 20060u);
}

TEST_F(ItemObjectTest, ObjectsOfAReplacedOrClosedWindowNoteAnswerAsDeleted) {
    const ItemHandle item = object(memo(rootId(), "m"));
    window.Replace();
    EXPECT_TRUE(item->IsDeleted().Value());
    EXPECT_EQ(ErrorOf(item->Title()), 20059u);

    const ItemHandle fresh = object(memo(rootId(), "n"));
    const ItemHandle root = rootObject();
    automation.reset();
    EXPECT_TRUE(fresh->IsDeleted().Value());
    EXPECT_TRUE(root->IsDeleted().Value());
    EXPECT_EQ(ErrorOf(fresh->SetTitle("x")), 20059u);
    EXPECT_EQ(ErrorOf(note->GetRootItem()), 20059u);
}

TEST_F(ItemObjectTest, TheRootRefusesWhatOnlyPlacedItemsAllow) {
    const ItemHandle root = rootObject();
    EXPECT_EQ(root->Type().Value(), C::kRoot);
    EXPECT_EQ(ErrorOf(root->IsDeleted()), 20053u);
    EXPECT_EQ(ErrorOf(root->DeleteItem()), 20053u);
    EXPECT_EQ(ErrorOf(root->NewItem(C::kMemo, C::kNext)), 20053u);
    EXPECT_EQ(ErrorOf(root->NewItem(C::kMemo, C::kPrevious)), 20053u);
    EXPECT_EQ(ErrorOf(root->SetRemarks("r")), 20053u);
    EXPECT_EQ(ErrorOf(rootObject()->Open()), 20053u);
    const ItemHandle parent = root->GetItem(C::kParent).Value();
    EXPECT_EQ(parent, nullptr);
    EXPECT_FALSE(root->Exist(C::kParent).Value());
}

TEST_F(ItemObjectTest, ExistAndGetItemFollowTheLinks) {
    const ItemId a = memo(rootId(), "a");
    const ItemId g = group(rootId(), "g");
    const ItemId c = memo(rootId(), "c");
    const ItemHandle middle = object(g);
    struct Case {
        std::int32_t position;
        ItemId expected;  // 0: none
    };
    for (const Case& k : std::vector<Case>{
             {C::kParent, rootId()}, {C::kChild, kNoItem}, {C::kPrevious, a}, {C::kNext, c}}) {
        EXPECT_EQ(middle->Exist(k.position).Value(), k.expected != kNoItem) << k.position;
        const ItemHandle found = middle->GetItem(k.position).Value();
        if (k.expected == kNoItem) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->Id().Value(), static_cast<std::int32_t>(k.expected));
        }
    }
    EXPECT_TRUE(object(a)->IsText());
    EXPECT_EQ(object(a)->Type().Value(), C::kMemo);
    EXPECT_EQ(object(g)->Type().Value(), C::kMemoGroup);
    for (std::int32_t bad : {0, 15, 20}) {
        EXPECT_EQ(ErrorOf(middle->Exist(bad)), 20054u);
        const auto refused = middle->GetItem(bad);
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().argument, std::to_string(bad));
    }
}

TEST_F(ItemObjectTest, GetChildItemCountsFromZeroAndNegativeMeansTheFirst) {
    const ItemId a = memo(rootId(), "a");
    const ItemId b = memo(rootId(), "b");
    const auto root = rootObject();
    EXPECT_EQ(root->GetChildItemCount().Value(), 2);
    EXPECT_EQ(root->GetChildItem(-1).Value()->Id().Value(), static_cast<std::int32_t>(a));
    EXPECT_EQ(root->GetChildItem(0).Value()->Id().Value(), static_cast<std::int32_t>(a));
    EXPECT_EQ(root->GetChildItem(1).Value()->Id().Value(), static_cast<std::int32_t>(b));
    const auto past = root->GetChildItem(2);
    ASSERT_FALSE(past.Ok());
    EXPECT_EQ(past.Error().stringId, 20055u);
    EXPECT_EQ(past.Error().Message(), "index引数に指定された値(2)に対応する項目は存在しません。");
    EXPECT_EQ(ErrorOf(node(group(rootId(), "empty"))->GetChildItem(0)), 20055u);
}

TEST_F(ItemObjectTest, AShutLockedGroupHidesItsChildrenButNotThatItHasThem) {
    const ItemId safe = shutLockedGroup(rootId(), "safe");
    const auto group = node(safe);
    EXPECT_TRUE(group->Exist(C::kChild).Value());
    EXPECT_EQ(group->GetItem(C::kChild).Value(), nullptr);
    EXPECT_EQ(ErrorOf(group->GetChildItem(0)), 20055u);
    EXPECT_EQ(group->GetChildItemCount().Value(), 0);
    EXPECT_TRUE(group->Encrypted().Value());
    EXPECT_EQ(ErrorOf(group->NewItem(C::kMemo, C::kChild)), 20081u);

    const ItemId open = openLockedGroup(rootId(), "open");
    EXPECT_FALSE(node(open)->Encrypted().Value());
    EXPECT_NE(node(open)->GetItem(C::kChild).Value(), nullptr);
}

TEST_F(ItemObjectTest, IsParentAsksForAnAncestor) {
    const ItemId outer = group(rootId(), "outer");
    const ItemId inner = group(outer, "inner");
    const ItemId leaf = memo(inner, "leaf");
    const ItemHandle item = object(leaf);
    EXPECT_TRUE(item->IsParent(object(inner).get()).Value());
    EXPECT_TRUE(item->IsParent(object(outer).get()).Value());
    EXPECT_TRUE(item->IsParent(rootObject().get()).Value());
    EXPECT_FALSE(item->IsParent(item.get()).Value());
    EXPECT_FALSE(object(outer)->IsParent(object(leaf).get()).Value());
    EXPECT_EQ(ErrorOf(item->IsParent(nullptr)), 20060u);
}

}  // namespace
}  // namespace tidemark
