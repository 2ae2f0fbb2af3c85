#include "app/text/memo_text_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>

#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/text/recording_note_host_for_test.h"
#include "core/model/fixed_clock_for_test.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

namespace {

using namespace tidemark;

class RecordingLinkOpener : public LinkOpener {
public:
    bool openLink(const QString& target) override {
        opened << target;
        if (onOpen)
            onOpen();
        return succeeds;
    }
    QStringList opened;
    bool succeeds = true;
    std::function<void()> onOpen;
};

const SystemTime kCreated = MakeTime(2001, 2, 3, 4, 5, 6);
const SystemTime kNow = MakeTime(2004, 5, 6, 13, 45, 7);

// The pane in a window beside a line edit (somewhere else for the focus to be).
class MemoTextViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        note.MakeNew("root");
        auto* layout = new QVBoxLayout(&window);
        other = new QLineEdit(&window);
        view = new MemoTextView(&window);
        layout->addWidget(other);
        layout->addWidget(view);
        view->setSettings(&settings);
        view->setLinkOpener(&opener);
        QObject::connect(view, &MemoTextView::statusNotice,
                         [this](MemoTextView::Notice, const QString& text) { notices << text; });
        window.resize(420, 320);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ItemId addMemo(const std::string& body, ItemId parent = kNoItem) {
        const ItemId id = AddMemo(note, parent == kNoItem ? note.RootId() : parent, "title");
        memo(id).SetRawBody(ByteString(body));
        memo(id).SetRawModifiedTime(kCreated);
        return id;
    }
    Memo& memo(ItemId id) { return static_cast<Memo&>(*note.FindItem(id)); }
    std::string body(ItemId id) { return memo(id).Body().Str(); }
    // Typed at the end of the text.
    void typeAtEnd(const QString& keys) {
        view->setFocus();
        view->moveCursor(QTextCursor::End);
        QTest::keyClicks(view, keys);
    }

    RecordingNoteHost host;
    FixedClock clock{kNow};
    Note note{&host, &clock};
    Settings settings;
    RecordingLinkOpener opener;
    QWidget window;
    QLineEdit* other = nullptr;
    MemoTextView* view = nullptr;
    QStringList notices;
};

TEST_F(MemoTextViewTest, TheStoredTextComesBackWithItsLineEndsAndOnlyAnEditIsStored) {
    const ItemId id = addMemo("one\r\ntwo\r\n\r\nthree");
    view->showMemo(note, id);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("one\ntwo\n\nthree"));
    view->commitEdits();
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
    EXPECT_EQ(host.userChanges, 0);

    typeAtEnd(QStringLiteral("!"));
    EXPECT_TRUE(view->isTextModified());
    EXPECT_EQ(body(id), "one\r\ntwo\r\n\r\nthree");  // typing changes only the pane
    view->commitEdits();
    EXPECT_EQ(body(id), "one\r\ntwo\r\n\r\nthree!");
    EXPECT_EQ(memo(id).ModifiedTime(), kNow);
    EXPECT_FALSE(view->isTextModified());
    EXPECT_GE(host.userChanges, 1);
}

TEST_F(MemoTextViewTest, EveryLineEndIsStoredAsCarriageReturnLineFeed) {
    const ItemId id = addMemo("lf\nonly\rcr");
    view->showMemo(note, id);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("lf\nonly\ncr"));
    typeAtEnd(QStringLiteral("x"));
    QTest::keyClick(view, Qt::Key_Return, Qt::ShiftModifier);  // no soft break either
    QTest::keyClicks(view, QStringLiteral("y"));
    view->commitEdits();
    EXPECT_EQ(body(id), "lf\r\nonly\r\ncrx\r\ny");
}

TEST_F(MemoTextViewTest, OpeningAnotherMemoStoresTheTextAndRecordsTheClosedMemo) {
    const ItemId first = addMemo("first");
    const ItemId second = addMemo("second");
    QList<ItemId> updated;
    QObject::connect(view, &MemoTextView::memoUpdated, [&](ItemId id) { updated << id; });
    view->showMemo(note, first);
    typeAtEnd(QStringLiteral(" edited"));
    view->showMemo(note, second);
    EXPECT_EQ(body(first), "first edited");
    EXPECT_EQ(memo(first).ModifiedTime(), kNow);
    EXPECT_EQ(view->openMemo(), second);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("second"));
    EXPECT_EQ(note.View().recentMemos[0], first);
    EXPECT_TRUE(updated.contains(first));
    EXPECT_TRUE(updated.contains(second));

    view->closeMemo(true);
    EXPECT_FALSE(view->holdsMemo());
    EXPECT_EQ(note.View().recentMemos[0], second);
    EXPECT_EQ(note.View().recentMemos[1], first);
    EXPECT_EQ(memo(second).ModifiedTime(), kCreated);  // not edited, not stamped
}

TEST_F(MemoTextViewTest, AnEncryptedMemoKeepsItsModifiedTimeWhenStored) {
    const ItemId id = addMemo("secret");
    memo(id).SetRawFlags(memo(id).Flags() | ItemFlags::kEncrypted);
    view->showMemo(note, id);
    typeAtEnd(QStringLiteral("!"));
    view->commitEdits();
    EXPECT_EQ(body(id), "secret!");
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
}

TEST_F(MemoTextViewTest, LosingTheFocusStoresTheText) {
    const ItemId id = addMemo("");
    view->showMemo(note, id);
    typeAtEnd(QStringLiteral("abc"));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    EXPECT_EQ(body(id), "abc");
}

TEST_F(MemoTextViewTest, CharactersTheNoteCannotHoldAreLeftOutAndNamed) {
    const ItemId id = addMemo("");
    view->showMemo(note, id);
    view->setFocus();
    // Inserted: the rest goes in as one undo step.
    view->insertPlain(QStringLiteral("a\U0001F600b한c"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("abc"));
    ASSERT_FALSE(notices.isEmpty());
    EXPECT_EQ(notices.last(), uiFormat(12019, {"\U0001F600한"}));
    view->undo();
    EXPECT_EQ(view->toPlainText(), QString());
    view->redo();
    EXPECT_EQ(view->toPlainText(), QStringLiteral("abc"));
    // Typed.
    notices.clear();
    QTest::keyClicks(view, QStringLiteral("d"));
    QKeyEvent hangul(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("한"));
    QApplication::sendEvent(view, &hangul);
    QTest::keyClicks(view, QStringLiteral("e"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("abcde"));
    EXPECT_EQ(notices, QStringList{uiFormat(12019, {"한"})});
    // Composed by an input method.
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("f\U0001F600"));
    QApplication::sendEvent(view, &composed);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("abcdef"));
    // Pasted.
    QApplication::clipboard()->setText(QStringLiteral("g한h"));
    view->paste();
    EXPECT_EQ(view->toPlainText(), QStringLiteral("abcdefgh"));
    EXPECT_EQ(notices.size(), 3);
    view->commitEdits();
    EXPECT_EQ(body(id), "abcdefgh");
}

struct TitleCase {
    bool titleFromFirstLine;
    bool typeBodyFirst;
    bool newMemo;
    bool firstLineIsLink;
    bool follows;
};

TEST_F(MemoTextViewTest, TheTitleFollowsTheFirstLineOnlyWhereTheOptionsSay) {
    const TitleCase cases[] = {
        {false, false, true, false, false}, {true, false, false, false, true},
        {false, true, true, false, true},   {false, true, false, false, false},
        {true, false, false, true, false},  {false, true, true, true, false},
    };
    for (const TitleCase& c : cases) {
        settings.TitleFromFirstLine = c.titleFromFirstLine;
        settings.TypeBodyFirst = c.typeBodyFirst;
        const ItemId id = addMemo("");
        memo(id).newMemoMark = c.newMemo;
        memo(id).SetBodyLink(c.firstLineIsLink);
        view->showMemo(note, id);
        typeAtEnd(QStringLiteral("Hello"));
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClicks(view, QStringLiteral("world"));
        EXPECT_EQ(memo(id).Title().Str(), c.follows ? "Hello" : "title")
            << c.titleFromFirstLine << c.typeBodyFirst << c.newMemo << c.firstLineIsLink;
    }
}

TEST_F(MemoTextViewTest, ANewMemoTypedBodyFirstStopsFollowingOnceThePaneLosesTheFocus) {
    settings.TypeBodyFirst = 1;
    const ItemId id = addMemo("");
    memo(id).newMemoMark = 1;
    view->showMemo(note, id);
    typeAtEnd(QStringLiteral("Draft"));
    EXPECT_EQ(memo(id).Title().Str(), "Draft");
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    typeAtEnd(QStringLiteral(" two"));
    EXPECT_EQ(memo(id).Title().Str(), "Draft");
    // With the title always following, losing the focus changes nothing.
    settings.TitleFromFirstLine = 1;
    typeAtEnd(QStringLiteral("!"));
    EXPECT_EQ(memo(id).Title().Str(), "Draft two!");
}

TEST_F(MemoTextViewTest, TheTitleIsCutTo259BytesWithoutSplittingACharacter) {
    settings.TitleFromFirstLine = 1;
    const ItemId id = addMemo("");
    view->showMemo(note, id);
    view->insertPlain(QString(200, QChar(u'あ')) + QStringLiteral("\nnext"));
    EXPECT_EQ(memo(id).Title().Size(), 258u);
    EXPECT_EQ(toQString(memo(id).Title()), QString(129, QChar(u'あ')));
}

TEST_F(MemoTextViewTest, AReadOnlyNoteCanBeReadAndSelectedButNotChanged) {
    const ItemId id = addMemo("fixed");
    view->setNoteReadOnly(true);
    view->showMemo(note, id);
    typeAtEnd(QStringLiteral("abc"));
    view->insertPlain(QStringLiteral("def"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("fixed"));
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_TRUE(view->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
    view->commitEdits();
    EXPECT_EQ(memo(id).ModifiedTime(), kCreated);
    view->setNoteReadOnly(false);
    typeAtEnd(QStringLiteral("!"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("fixed!"));
}

TEST_F(MemoTextViewTest, WithoutAMemoTheHintShowsInItalicsAndRefusesInput) {
    view->showPlaceholder(false);
    EXPECT_EQ(view->toPlainText(), uiText(20003));
    view->showPlaceholder(true);
    EXPECT_EQ(view->toPlainText(),
              uiText(20002).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(view->document()->firstBlock().begin().fragment().charFormat().fontItalic());
    const QString hint = view->toPlainText();
    QTest::keyClicks(view, QStringLiteral("abc"));
    view->insertPlain(QStringLiteral("def"));
    EXPECT_EQ(view->toPlainText(), hint);

    // Files dragged over it are not taken.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());

    // A memo opened after it is plain text.
    view->showMemo(note, addMemo("plain"));
    EXPECT_FALSE(view->document()->firstBlock().begin().fragment().charFormat().fontItalic());
    EXPECT_FALSE(view->isReadOnly());
}

TEST_F(MemoTextViewTest, TheHintGivesTheFocusBack) {
    view->showPlaceholder(true);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    view->setFocus();
    QTRY_VERIFY(other->hasFocus());
    // With a memo open the pane keeps it.
    view->showMemo(note, addMemo("m"));
    view->setFocus();
    QTest::qWait(20);
    EXPECT_TRUE(view->hasFocus());
}

TEST_F(MemoTextViewTest, EachMemoBringsItsWrappingWithoutLosingTextOrFocus) {
    const ItemId wrapped = addMemo("wrapped");
    const ItemId unwrapped = addMemo("a long line that does not wrap");
    memo(unwrapped).SetWordWrap(false);
    view->showMemo(note, wrapped);
    EXPECT_EQ(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    view->showMemo(note, unwrapped);
    EXPECT_EQ(view->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(view->toPlainText(), QStringLiteral("a long line that does not wrap"));
    EXPECT_TRUE(view->hasFocus());
    memo(unwrapped).SetWordWrap(true);
    view->applyWordWrap();
    EXPECT_EQ(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(MemoTextViewTest, ColoursComeFromTheItemItsGroupsOrTheNote) {
    NoteViewSettings& noteView = note.View();
    noteView.textColour = 0x000080;                               // dark red
    noteView.backgroundColour = 0xE8FFFF;                         // pale yellow
    note.FindItem(note.RootId())->SetBackgroundColour(0x0000FF);  // the root's is never used
    const ItemId outer = AddGroup(note, note.RootId(), "outer");
    note.FindItem(outer)->SetBackgroundColour(0xFF0000);  // blue
    const ItemId inner = AddGroup(note, outer, "inner");
    const ItemId memoId = addMemo("m", inner);
    memo(memoId).SetTextColour(0x00FF00);
    const ItemId plain = addMemo("p");

    const struct {
        ItemId focused;
        QColor text;
        QColor background;
    } cases[] = {
        {memoId, QColor(0, 255, 0), QColor(0, 0, 255)},
        {inner, QColor(128, 0, 0), QColor(0, 0, 255)},
        {plain, QColor(128, 0, 0), QColor(255, 255, 232)},
        {kNoItem, QColor(128, 0, 0), QColor(255, 255, 232)},
    };
    for (const auto& c : cases) {
        view->setColoursFor(note, c.focused);
        EXPECT_EQ(view->textColour(), c.text) << c.focused;
        EXPECT_EQ(view->backgroundColour(), c.background) << c.focused;
    }
    settings.EditorNoColors = 1;
    view->setColoursFor(note, memoId);
    EXPECT_EQ(view->textColour(), QApplication::palette(view).color(QPalette::Text));
    EXPECT_EQ(view->backgroundColour(), QApplication::palette(view).color(QPalette::Base));
}

TEST_F(MemoTextViewTest, TabWidthIsCountedInCharacters) {
    const qreal character = QFontMetricsF(view->font()).averageCharWidth();
    EXPECT_DOUBLE_EQ(view->tabStopDistance(), character * 8);
    settings.TabWidth = 4;
    view->applySettings();
    EXPECT_DOUBLE_EQ(view->tabStopDistance(), character * 4);
}

class MemoTextLinkTest : public MemoTextViewTest {
protected:
    // Where the character at `position` is drawn, in viewport coordinates.
    QPoint pointAt(int position) {
        QTextCursor cursor(view->document());
        cursor.setPosition(position);
        const QRect caret = view->cursorRect(cursor);
        return QPoint(caret.left() + 2, caret.center().y());
    }
};

TEST_F(MemoTextLinkTest, AQuickClickOnAUrlStoresTheTextThenOpensIt) {
    const ItemId id = addMemo("see http://example.com/x now");
    view->showMemo(note, id);
    typeAtEnd(QStringLiteral("!"));
    std::string bodyWhenOpened;
    opener.onOpen = [&] { bodyWhenOpened = body(id); };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pointAt(10));
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("http://example.com/x")});
    EXPECT_EQ(bodyWhenOpened, "see http://example.com/x now!");
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("http://example.com/x"));
    // Clicking plain text opens nothing.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pointAt(1));
    EXPECT_EQ(opener.opened.size(), 1);
    // A link the desktop cannot open is reported.
    opener.succeeds = false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pointAt(12));
    EXPECT_EQ(notices.last(), uiFormat(12010, {"http://example.com/x"}));
}

TEST_F(MemoTextLinkTest, ASlowClickOnAUrlDoesNotOpenIt) {
    view->showMemo(note, addMemo("http://example.com/"));
    const int interval = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(40);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, pointAt(3));
    QTest::qWait(150);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, pointAt(3));
    QApplication::setDoubleClickInterval(interval);
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(MemoTextLinkTest, ThePointerOverAUrlShowsItInTheStatusBar) {
    view->showMemo(note, addMemo("plain mailto:a@example.com"));
    QTest::mouseMove(view->viewport(), pointAt(10));
    QTRY_VERIFY(!notices.isEmpty());
    EXPECT_EQ(notices.last(), QStringLiteral("mailto:a@example.com"));
    QTest::mouseMove(view->viewport(), pointAt(1));
    QTRY_COMPARE(notices.last(), uiText(12001));
}

TEST_F(MemoTextViewTest, DroppedFilesGoInAsTheirTemplateTextAtTheDropPoint) {
    const ItemId id = addMemo("head tail");
    view->showMemo(note, id);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt")),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/dir/b.txt"))});
    QTextCursor at(view->document());
    at.setPosition(5);
    const QPoint point = view->cursorRect(at).center();
    QDragEnterEvent enter(point, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDragMoveEvent move(point, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QDropEvent drop(point, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    const QString inserted =
        QStringLiteral("a.txt <file:///tmp/a.txt> b.txt <file:///tmp/dir/b.txt> ");
    EXPECT_EQ(view->toPlainText(), QStringLiteral("head ") + inserted + QStringLiteral("tail"));
    EXPECT_EQ(view->textCursor().position(), 5 + inserted.size());
    QTRY_VERIFY(view->hasFocus());
}

// Pure red pixels in the pane: the marks, nothing else.
int markPixels(QWidget* viewport) {
    const QImage image = viewport->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++count;
        }
    }
    return count;
}

TEST_F(MemoTextViewTest, MarksAreDrawnUnlessHiddenAndNeverOverTheHint) {
    view->showMemo(note, addMemo("one\r\ntwo"));
    const int lineEndsAndEnd = markPixels(view->viewport());
    EXPECT_GT(lineEndsAndEnd, 0);
    view->setMarkFlags(MemoTextView::kMarkEnd);
    const int endOnly = markPixels(view->viewport());
    EXPECT_GT(endOnly, 0);
    EXPECT_LT(endOnly, lineEndsAndEnd);
    settings.HideMarks = 1;
    view->applySettings();
    EXPECT_EQ(view->markFlags(), 0);
    EXPECT_EQ(markPixels(view->viewport()), 0);
    settings.HideMarks = 0;
    view->applySettings();
    EXPECT_EQ(view->markFlags(), MemoTextView::kMarkLineEnds | MemoTextView::kMarkEnd);
    view->showPlaceholder(true);
    EXPECT_EQ(markPixels(view->viewport()), 0);
}

TEST_F(MemoTextViewTest, TabMarksAreDrawnAtEachTab) {
    view->showMemo(note, addMemo("a\tb\tc"));
    view->setMarkFlags(0);
    EXPECT_EQ(markPixels(view->viewport()), 0);
    view->setMarkFlags(MemoTextView::kMarkTabs);
    const int twoTabs = markPixels(view->viewport());
    view->showMemo(note, addMemo("a\tbc"));
    const int oneTab = markPixels(view->viewport());
    EXPECT_GT(oneTab, 0);
    EXPECT_GT(twoTabs, oneTab);
}

}  // namespace
