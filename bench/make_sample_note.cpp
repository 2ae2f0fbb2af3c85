// Writes a realistic note file for demonstrations and benchmarks: memo groups and memos with
// Japanese and English text (CP932), remarks, colours, links and varied modified times,
// saved through the program's own note writer.
//
//   make_sample_note [--items N] [--fanout F] [--seed S] OUT
//
// N memos (default 2,000) sit in memo groups of F children (default 10), groups of groups
// above them up to the root's children. Bodies run to about 60 words. The group of the first
// memo is locked and shut with the password "sample". The same arguments always give the
// same file.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/cp932_codec.h"
#include "core/common/sjis.h"
#include "core/file/note_bytes.h"
#include "core/model/item_lock.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

constexpr const char* kUsage = "usage: make_sample_note [--items N] [--fanout F] [--seed S] OUT\n";
constexpr const char* kPassword = "sample";

// Words of the texts, in UTF-8 here and in CP932 once the program starts.
constexpr std::string_view kJapaneseWords[] = {
    "会議",     "予定",   "資料",   "確認",     "打ち合わせ",   "報告",         "来週",
    "今日",     "明日",   "買い物", "電話",     "メール",       "東京",         "大阪",
    "企画",     "開発",   "設計",   "品質",     "お客様",       "請求書",       "見積もり",
    "締め切り", "宿題",   "読書",   "旅行",     "料理",         "健康",         "散歩",
    "天気",     "駅前",   "図書館", "新幹線",   "ありがとう",   "よろしく",     "お願いします",
    "について", "のため", "そして", "しかし",   "まとめ",       "次回",         "課題",
    "対応",     "担当",   "変更",   "追加",     "削除",         "手順",         "問題",
    "結果",     "ノート", "メモ",   "アイデア", "プロジェクト", "スケジュール", "チーム",
};
constexpr std::string_view kEnglishWords[] = {
    "meeting", "project",  "release",  "schedule", "review", "draft", "budget",  "customer",
    "invoice", "deadline", "report",   "design",   "test",   "build", "server",  "update",
    "notes",   "idea",     "travel",   "lunch",    "call",   "email", "Tokyo",   "Osaka",
    "phone",   "weekly",   "plan",     "todo",     "done",   "check", "version", "backup",
    "agenda",  "summary",  "feedback", "the",      "and",    "for",   "with",    "next",
    "week",    "after",    "before",   "team",     "list",   "item",
};
constexpr std::string_view kRemarks[] = {
    "重要", "済", "保留", "TODO", "確認待ち", "来週まで", "参考", "急ぎ", "個人", "仕事",
};
constexpr std::string_view kLinks[] = {
    "https://example.com/wiki/notes",
    "http://www.example.jp/",
    "mailto:team@example.com",
    "C:\\Documents\\資料\\report.txt",
};

struct Vocabulary {
    std::vector<std::string> japanese;
    std::vector<std::string> english;
    std::vector<std::string> remarks;
    std::vector<std::string> links;
    std::string fullStop;  // 。
    std::string rootTitle;
};

template <std::size_t N>
std::vector<std::string> ToCp932(const std::string_view (&words)[N]) {
    std::vector<std::string> out;
    for (std::string_view word : words)
        out.push_back(Utf8ToCp932(word).bytes);
    return out;
}

Vocabulary MakeVocabulary() {
    return Vocabulary{ToCp932(kJapaneseWords), ToCp932(kEnglishWords),
                      ToCp932(kRemarks),       ToCp932(kLinks),
                      Utf8ToCp932("。").bytes, Utf8ToCp932("ノート本体").bytes};
}

class TextMaker {
public:
    TextMaker(const Vocabulary& words, std::uint32_t seed) : m_words(words), m_rng(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool Chance(int percent) { return Between(0, 99) < percent; }
    const std::string& Pick(const std::vector<std::string>& list) {
        return list[static_cast<std::size_t>(Between(0, static_cast<int>(list.size()) - 1))];
    }

    // Mixed text: Japanese words run together, English words are set off by blanks.
    // Sentences end in "。" or "."; some lines break with CR LF.
    std::string Text(int words, bool sentences) {
        std::string text;
        bool lastEnglish = false;
        int inSentence = 0;
        for (int i = 0; i < words; ++i) {
            const bool english = Chance(45);
            if (!text.empty() && (english || lastEnglish) && text.back() != '\n')
                text += ' ';
            text += Pick(english ? m_words.english : m_words.japanese);
            lastEnglish = english;
            if (sentences && ++inSentence >= Between(6, 14)) {
                text += english ? "." : m_words.fullStop;
                lastEnglish = true;  // a blank follows either stop
                inSentence = 0;
                if (Chance(40)) {
                    text += "\r\n";
                    lastEnglish = false;
                }
            }
        }
        return text;
    }

    std::string Title(int low, int high) {
        std::string title = Text(Between(low, high), false);
        if (Chance(20))
            title += " #" + std::to_string(Between(1, 999));
        title.resize(SafeCutLength(title, kMaxTitleBytes));
        return title;
    }

    // A time between 2003 and 2024 with its day of the week.
    SystemTime Time() {
        SystemTime t;
        t.year = static_cast<std::uint16_t>(Between(2003, 2024));
        t.month = static_cast<std::uint16_t>(Between(1, 12));
        t.day = static_cast<std::uint16_t>(Between(1, 28));
        t.hour = static_cast<std::uint16_t>(Between(0, 23));
        t.minute = static_cast<std::uint16_t>(Between(0, 59));
        t.second = static_cast<std::uint16_t>(Between(0, 59));
        t.milliseconds = static_cast<std::uint16_t>(Between(0, 999));
        // Sakamoto's method: 0 = Sunday.
        static constexpr int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
        const int y = t.year - (t.month < 3 ? 1 : 0);
        t.dayOfWeek = static_cast<std::uint16_t>(
            (y + y / 4 - y / 100 + y / 400 + kMonthOffset[t.month - 1] + t.day) % 7);
        return t;
    }

    const Vocabulary& Words() const { return m_words; }

private:
    const Vocabulary& m_words;
    std::mt19937 m_rng;
};

void Decorate(Item& item, TextMaker& maker) {
    if (maker.Chance(6))
        item.SetTextColour(maker.Chance(50) ? 0x0000C0 : 0x008000);
    if (maker.Chance(6))
        item.SetBackgroundColour(maker.Chance(50) ? 0xC0FFFF : 0xFFE0E0);
    if (maker.Chance(4))
        item.SetStrikeOut(true);
}

ItemId MakeMemo(Note& note, TextMaker& maker) {
    const ItemId id = note.CreateItem(ItemType::kMemo);
    if (id == kNoItem)
        return kNoItem;
    auto& memo = static_cast<Memo&>(*note.FindItem(id));
    memo.SetTitle(ByteString(maker.Title(2, 5)));
    std::string body = maker.Text(maker.Between(45, 75), true);
    if (maker.Chance(3)) {
        body = maker.Pick(maker.Words().links) + "\r\n" + body;
        memo.SetBodyLink(true);
    }
    memo.SetBody(ByteString(std::move(body)));
    if (maker.Chance(30)) {
        if (maker.Chance(10)) {
            memo.SetRemarks(ByteString(maker.Pick(maker.Words().links)));
            memo.SetRemarksLink(true);
        } else {
            memo.SetRemarks(ByteString(maker.Pick(maker.Words().remarks)));
        }
    }
    if (maker.Chance(10))
        memo.SetWordWrap(false);
    Decorate(memo, maker);
    memo.SetRawModifiedTime(maker.Time());
    return id;
}

ItemId MakeGroup(Note& note, TextMaker& maker) {
    const ItemId id = note.CreateItem(ItemType::kGroup);
    if (id == kNoItem)
        return kNoItem;
    Item& group = *note.FindItem(id);
    group.SetTitle(ByteString(maker.Title(1, 3)));
    group.SetOpen(maker.Chance(70));
    Decorate(group, maker);
    group.SetRawModifiedTime(maker.Time());
    return id;
}

// Links `children` in order as the contents of `parent` (each after the one before, so that a
// long list costs no walk along the chain).
void Adopt(Note& note, ItemId parent, const std::vector<ItemId>& children) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (i == 0) {
            note.InsertItems(children[i], parent, Placement::kInside, Placement::kAfter, false);
        } else {
            note.InsertItems(children[i], children[i - 1], Placement::kBeside, Placement::kAfter,
                             false);
        }
    }
}

// Memos in groups of `fanout`, those groups in groups of `fanout`, and so on until at most
// `fanout` items remain; they become the root's children.
void Populate(Note& note, long memos, long fanout, TextMaker& maker) {
    note.MakeNew(ByteString(maker.Words().rootTitle));
    std::vector<ItemId> level;
    level.reserve(static_cast<std::size_t>(memos));
    for (long i = 0; i < memos; ++i)
        level.push_back(MakeMemo(note, maker));
    const auto width = static_cast<std::size_t>(fanout);
    while (level.size() > width) {
        std::vector<ItemId> above;
        for (std::size_t first = 0; first < level.size(); first += width) {
            const ItemId group = MakeGroup(note, maker);
            const std::size_t last = std::min(level.size(), first + width);
            Adopt(note, group,
                  std::vector<ItemId>(level.begin() + static_cast<long>(first),
                                      level.begin() + static_cast<long>(last)));
            above.push_back(group);
        }
        level = std::move(above);
    }
    Adopt(note, note.RootId(), level);
}

// Locks the group of the first memo (when it is not the root) with kPassword and shuts it,
// as a user who keeps a few private memos would.
void LockFirstGroup(Note& note) {
    const Item* root = note.FindItem(note.RootId());
    const Item* first = root ? note.FindItem(root->links.firstChild) : nullptr;
    while (first && first->IsGroup() && first->links.firstChild != kNoItem) {
        first = note.FindItem(first->links.firstChild);
    }
    if (!first || first->links.parent == note.RootId())
        return;
    const ItemId groupId = first->links.parent;
    Item& group = *note.FindItem(groupId);
    group.SetRawFlags(group.Flags() | ItemFlags::kLocked);
    note.SetLockOwner(groupId, groupId, true);
    if (EncryptGroupContents(note, groupId, ByteString(kPassword)))
        group.SetOpen(false);
}

bool ParseCount(const char* text, long low, long& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < low)
        return false;
    value = parsed;
    return true;
}

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    long items = 2000;
    long fanout = 10;
    long seed = 1;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--items") == 0 && hasValue) {
            if (!ParseCount(argv[++i], 0, items))
                return Usage();
        } else if (std::strcmp(argv[i], "--fanout") == 0 && hasValue) {
            if (!ParseCount(argv[++i], 2, fanout))
                return Usage();
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            if (!ParseCount(argv[++i], 0, seed))
                return Usage();
        } else if (argv[i][0] != '-' && !out) {
            out = argv[i];
        } else {
            return Usage();
        }
    }
    if (!out)
        return Usage();

    const Vocabulary words = MakeVocabulary();
    TextMaker maker(words, static_cast<std::uint32_t>(seed));
    Note note;
    Populate(note, items, fanout, maker);
    LockFirstGroup(note);
    const MemoryBlock bytes = SaveNoteToBytes(note);

    std::FILE* file = std::fopen(out, "wb");
    bool written = file != nullptr;
    if (file) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        written = std::fclose(file) == 0 && written;
    }
    if (!written) {
        std::fprintf(stderr, "make_sample_note: %s: %s\n", out, std::strerror(errno));
        return 1;
    }
    std::printf("%s: %ld memos, fan-out %ld, %.1f MB\n", out, items, fanout, bytes.size() / 1e6);
    return 0;
}
