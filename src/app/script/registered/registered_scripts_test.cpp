#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cstring>
#include <functional>
#include <span>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/main_menu.h"
#include "app/frame/main_window.h"
#include "app/script/registered/registered_script_commands.h"
#include "app/script/registered/script_entry_rules.h"
#include "app/script/registered/script_list_dialog.h"
#include "app/script/registered/tool_menu.h"
#include "app/test_support.h"
#include "core/model/note.h"
#include "core/settings/command_ids.h"
#include "core/settings/key_table.h"
#include "core/settings/script_store_format.h"
#include "core/settings/value_names.h"

namespace {

using namespace tidemark;

// An entry as the dialogs store it (CP932 texts).
ScriptEntry entry(const QString& name, const QString& file, std::uint32_t attributes = 0) {
    ScriptEntry e;
    e.Name = fromQString(name);
    e.File = fromQString(file);
    e.Attributes = attributes;
    return e;
}

ScriptStore storeOf(std::initializer_list<ScriptEntry> entries) {
    ScriptStore store;
    for (const ScriptEntry& e : entries)
        EXPECT_TRUE(store.Append(e));
    return store;
}

// Selects the row `row` of a script list dialog.
void selectRow(QWidget* dialog, int row) {
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("scriptList"));
    ASSERT_NE(list, nullptr);
    ASSERT_LT(row, list->topLevelItemCount());
    list->setCurrentItem(list->topLevelItem(row));
}

QStringList rowTexts(QWidget* dialog) {
    QStringList rows;
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("scriptList"));
    for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << item->text(0) + u'|' + item->text(1) + u'|' + item->text(2);
    }
    return rows;
}

void click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

// Fills the entry dialog and presses OK (it may stay open after a refusal).
void fillEntry(QWidget* dialog, const QString& name, const QString& file,
               const QString& attribute = QString()) {
    dialog->findChild<QLineEdit*>(QStringLiteral("scriptName"))->setText(name);
    dialog->findChild<QLineEdit*>(QStringLiteral("scriptFile"))->setText(file);
    if (!attribute.isEmpty()) {
        auto* box = dialog->findChild<QComboBox*>(QStringLiteral("attribute"));
        const int index = box->findText(attribute);
        ASSERT_GE(index, 0) << attribute.toStdString();
        box->setCurrentIndex(index);
    }
    static_cast<QDialog*>(dialog)->accept();
}

TEST(ScriptEntryRules, EntriesAreRefusedForAMissingFileOrNameOrATakenName) {
    const ScriptStore store = storeOf({entry("Daily", "daily.js"), entry("Weekly", "weekly.js")});
    const struct {
        std::optional<std::size_t> index;
        const char* name;
        const char* file;
        std::uint32_t refusal;
    } cases[] = {
        {std::nullopt, "New", "  ", 20065},     // blanks are no file
        {std::nullopt, "  ", "new.js", 20064},  // nor a name
        {std::nullopt, "", "", 20065},          // the file is checked first
        {std::nullopt, "daily", "new.js", 20066},
        {std::size_t(1), " DAILY ", "w.js", 20066},  // another entry's name
        {std::size_t(0), "DAILY", "d2.js", 0},       // its own, in other case
        {std::nullopt, " New ", " new.js ", 0},
    };
    for (const auto& c : cases) {
        const ScriptEntryCheck check = checkScriptEntry(store, c.index, QString::fromUtf8(c.name),
                                                        QString::fromUtf8(c.file), 0);
        EXPECT_EQ(check.refusal, c.refusal) << c.name << "/" << c.file;
        EXPECT_EQ(check.entry.has_value(), c.refusal == 0) << c.name;
    }
    const ScriptEntryCheck trimmed = checkScriptEntry(store, std::nullopt, QStringLiteral(" New "),
                                                      QStringLiteral(" new.js "), 3);
    ASSERT_TRUE(trimmed.entry);
    EXPECT_EQ(trimmed.entry->Name.Str(), "New");
    EXPECT_EQ(trimmed.entry->File.Str(), "new.js");
    EXPECT_EQ(trimmed.entry->Attributes, 3u);
}

TEST(ScriptEntryRules, ThePlaceChoicesAreTheFreePlacesAndTheEntrysOwn) {
    const ScriptStore store = storeOf({entry("a", "a.js", 2), entry("b", "b.js", 10),
                                       entry("t", "t.js", ScriptEntry::kTemplate)});
    const auto texts = [&](std::optional<std::size_t> index) {
        QStringList shown;
        for (const ScriptAttributeChoice& choice : scriptAttributeChoices(store, index))
            shown << choice.text + u'=' + QString::number(choice.value);
        return shown.join(u',');
    };
    EXPECT_EQ(texts(std::nullopt),
              QStringLiteral("指定しない=0,テンプレート=16,メニュー 1=1,メニュー 3=3,メニュー 4=4,"
                             "メニュー 5=5,メニュー 6=6,メニュー 7=7,メニュー 8=8,メニュー 9=9"));
    EXPECT_TRUE(texts(std::size_t(0)).contains(QStringLiteral("メニュー 2=2")));
    EXPECT_FALSE(texts(std::size_t(0)).contains(QStringLiteral("メニュー 10=10")));
    EXPECT_EQ(scriptAttributeText(store.At(0)), QStringLiteral("メニュー 2"));
    EXPECT_EQ(scriptAttributeText(store.At(2)), QStringLiteral("テンプレート"));
    EXPECT_EQ(scriptAttributeText(entry("x", "x.js")), QString());
}

// The list dialog on its own, with real files for import and export.
class ScriptListDialogTest : public ::testing::Test {
protected:
    // Runs the dialog; `answer` drives it (and the dialogs it opens).
    // Whether it was accepted.
    bool run(ScriptListMode mode, const ScriptStore& store,
             const std::function<void(DialogAnswerer&)>& answer) {
        DialogAnswerer answers;
        answer(answers);
        ScriptListDialog dialog(mode, store, services);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(answers.unexpected, 0) << answers.messages.join(u'|').toStdString();
        messages = answers.messages;
        edited = dialog.store();
        chosen = dialog.chosen();
        return accepted;
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = env.path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString storeFile(const QString& name, const ScriptStore& store) {
        const std::vector<std::uint8_t> bytes = WriteScriptStore(store);
        return writeFile(
            name, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }

    TestEnvironment env;
    QList<int> helpTopics;
    ScriptDialogServices services{*env.files, [this](int topic) { helpTopics << topic; }, true};
    QStringList messages;
    ScriptStore edited;
    std::optional<std::size_t> chosen;
};

TEST_F(ScriptListDialogTest, EachModeShowsItsTitleAndRowsAndTheTemplateModeOnlyTemplates) {
    const ScriptStore store =
        storeOf({entry("Daily", "daily.js", 3), entry("Blank", "blank.js", ScriptEntry::kTemplate),
                 entry("Plain", "/home/u/plain.js")});
    QStringList titles;
    QList<QStringList> rows;
    QList<int> nameWidths;
    for (const ScriptListMode mode :
         {ScriptListMode::kRegister, ScriptListMode::kRun, ScriptListMode::kChooseTemplate}) {
        run(mode, store, [&](DialogAnswerer& answers) {
            answers.then([&](QWidget* dialog) {
                titles << dialog->windowTitle();
                rows << rowTexts(dialog);
                nameWidths << dialog->findChild<QTreeWidget*>(QStringLiteral("scriptList"))
                                  ->columnWidth(0);
                EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("add")) != nullptr,
                          mode == ScriptListMode::kRegister);
                static_cast<QDialog*>(dialog)->reject();
            });
        });
    }
    EXPECT_EQ(titles,
              QStringList({QStringLiteral("スクリプトの登録"), QStringLiteral("スクリプトの実行"),
                           QStringLiteral("テンプレートの選択")}));
    const QStringList all{QStringLiteral("Daily|メニュー 3|daily.js"),
                          QStringLiteral("Blank|テンプレート|blank.js"),
                          QStringLiteral("Plain||/home/u/plain.js")};
    EXPECT_EQ(rows[0], all);
    EXPECT_EQ(rows[1], all);
    EXPECT_EQ(rows[2], QStringList({QStringLiteral("Blank|テンプレート|blank.js")}));
    EXPECT_EQ(nameWidths, QList<int>({200, 300, 300}));
}

TEST_F(ScriptListDialogTest, AddAppendsTheEntryWithItsPlaceOfferingOnlyFreePlaces) {
    const ScriptStore store = storeOf({entry("First", "first.js", 3)});
    QStringList offered;
    ASSERT_TRUE(run(ScriptListMode::kRegister, store, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "add");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.then([&](QWidget* dialog) {
            // A new entry is offered only the free places: 3 is taken.
            auto* box = dialog->findChild<QComboBox*>(QStringLiteral("attribute"));
            for (int i = 0; i < box->count(); ++i)
                offered << box->itemText(i);
            fillEntry(dialog, QStringLiteral("Second"), QStringLiteral("second.js"),
                      QStringLiteral("メニュー 4"));
        });
    }));
    EXPECT_FALSE(offered.contains(QStringLiteral("メニュー 3")));
    EXPECT_TRUE(offered.contains(QStringLiteral("メニュー 4")));
    ASSERT_EQ(edited.Count(), 2u);
    EXPECT_EQ(edited.At(1), entry("Second", "second.js", 4));
    EXPECT_EQ(edited.EntryAtPlace(4), std::optional<std::size_t>(1));
}

TEST_F(ScriptListDialogTest, RefusedEntriesKeepTheEntryDialogOpenWithTheirMessage) {
    const ScriptStore store = storeOf({entry("Daily", "daily.js")});
    ASSERT_TRUE(run(ScriptListMode::kRegister, store, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "add");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.then([](QWidget* dialog) {
            fillEntry(dialog, QStringLiteral("New"), QStringLiteral(" "));
            fillEntry(dialog, QStringLiteral(" "), QStringLiteral("new.js"));
            fillEntry(dialog, QStringLiteral("DAILY"), QStringLiteral("new.js"));
            EXPECT_TRUE(dialog->isVisible());
            static_cast<QDialog*>(dialog)->reject();
        });
        answers.thenMessage(QMessageBox::Ok);
        answers.thenMessage(QMessageBox::Ok);
        answers.thenMessage(QMessageBox::Ok);
    }));
    EXPECT_EQ(messages, QStringList({QStringLiteral("ファイル名が入力されていません。"),
                                     QStringLiteral("スクリプトの名前が入力されていません。"),
                                     QStringLiteral("既に同じスクリプト名が存在します。")}));
    EXPECT_EQ(edited, store);
}

TEST_F(ScriptListDialogTest, ChangeAndRemoveNeedASelectionAndActOnTheSelectedEntry) {
    const ScriptStore store = storeOf({entry("A", "a.js", 1), entry("B", "b.js", 2)});
    ASSERT_TRUE(run(ScriptListMode::kRegister, store, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "modify");
            click(dialog, "remove");
            selectRow(dialog, 1);
            click(dialog, "modify");
            selectRow(dialog, 0);
            click(dialog, "remove");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.thenMessage(QMessageBox::Ok);
        answers.thenMessage(QMessageBox::Ok);
        answers.then([](QWidget* dialog) {
            // The entry's own name and place are kept offered.
            fillEntry(dialog, QStringLiteral("b"), QStringLiteral("b2.js"),
                      QStringLiteral("メニュー 2"));
        });
    }));
    EXPECT_EQ(messages, QStringList(2, QStringLiteral("スクリプトが選択されていません。")));
    ASSERT_EQ(edited.Count(), 1u);
    EXPECT_EQ(edited.At(0), entry("b", "b2.js", 2));
    EXPECT_EQ(edited.EntryAtPlace(2), std::optional<std::size_t>(0));
    EXPECT_FALSE(edited.EntryAtPlace(1));
}

TEST_F(ScriptListDialogTest, AFullStoreRefusesAnotherEntry) {
    ScriptStore full;
    for (std::size_t i = 0; i < ScriptStore::kMaxEntries; ++i)
        full.Append(entry(QStringLiteral("s%1").arg(i), QStringLiteral("s.js")));
    run(ScriptListMode::kRegister, full, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "add");
            static_cast<QDialog*>(dialog)->reject();
        });
        answers.thenMessage(QMessageBox::Ok);
    });
    EXPECT_EQ(messages, QStringList({QStringLiteral("スクリプトはこれ以上追加できません。")}));
    EXPECT_EQ(edited.Count(), ScriptStore::kMaxEntries);
}

TEST_F(ScriptListDialogTest, ExportThenImportTwiceAddsTheEntriesOnce) {
    const ScriptStore source =
        storeOf({entry("Daily", "daily.js", 3), entry("Blank", "blank.js", 16)});
    const QString path = env.path(QStringLiteral("scripts.tms"));
    run(ScriptListMode::kRegister, source, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "export");
            static_cast<QDialog*>(dialog)->reject();
        });
        answers.thenFile(path);
        answers.thenMessage(QMessageBox::Ok);
    });
    EXPECT_EQ(messages,
              QStringList({QStringLiteral("登録スクリプトのファイル出力に成功しました。")}));

    // Into a store where place 3 is taken and "daily" is a different file.
    const ScriptStore target = storeOf({entry("Mine", "mine.js", 3), entry("daily", "other.js")});
    ASSERT_TRUE(run(ScriptListMode::kRegister, target, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "import");
            click(dialog, "import");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.thenFile(path);
        answers.thenMessage(QMessageBox::Ok);
        answers.thenFile(path);
        answers.thenMessage(QMessageBox::Ok);
    }));
    EXPECT_EQ(messages,
              QStringList(2, QStringLiteral("登録スクリプトのファイル入力に成功しました。")));
    ASSERT_EQ(edited.Count(), 4u);
    EXPECT_EQ(edited.At(2), entry("Daily", "daily.js", 0));  // its place was taken
    EXPECT_EQ(edited.At(3), entry("Blank", "blank.js", 16));
    EXPECT_EQ(edited.EntryAtPlace(3), std::optional<std::size_t>(0));
}

TEST_F(ScriptListDialogTest, AnImportReachingTheLimitKeepsWhatItAdded) {
    ScriptStore nearlyFull;
    for (std::size_t i = 0; i < ScriptStore::kMaxEntries - 1; ++i)
        nearlyFull.Append(entry(QStringLiteral("s%1").arg(i), QStringLiteral("s.js")));
    const QString path =
        storeFile(QStringLiteral("two.tms"), storeOf({entry("x", "x.js"), entry("y", "y.js")}));
    run(ScriptListMode::kRegister, nearlyFull, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "import");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.thenFile(path);
        answers.thenMessage(QMessageBox::Ok);
        answers.thenMessage(QMessageBox::Ok);
    });
    EXPECT_EQ(messages,
              QStringList({QStringLiteral("スクリプトはこれ以上追加できません。"),
                           QStringLiteral("登録スクリプトのファイル入力に成功しました。")}));
    ASSERT_EQ(edited.Count(), ScriptStore::kMaxEntries);
    EXPECT_EQ(edited.At(ScriptStore::kMaxEntries - 1), entry("x", "x.js"));
}

TEST_F(ScriptListDialogTest, AFileThatIsNotAStoreIsRefusedAndADamagedOneReported) {
    const QString other =
        writeFile(QStringLiteral("note.tmk"), QByteArray("!TMK\x01\x00\x00\x00", 8));
    std::vector<std::uint8_t> bytes = WriteScriptStore(storeOf({entry("x", "x.js")}));
    bytes.resize(bytes.size() - 3);
    const QString cut =
        writeFile(QStringLiteral("cut.tms"),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    const QString missing = env.path(QStringLiteral("gone.tms"));
    const ScriptStore store = storeOf({entry("A", "a.js")});
    run(ScriptListMode::kRegister, store, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "import");
            click(dialog, "import");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.thenFile(other);
        answers.thenMessage(QMessageBox::Ok);
        answers.thenFile(cut);
        answers.thenMessage(QMessageBox::Ok);
    });
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], QStringLiteral("選択されたファイルは入力できる形式ではありません。"));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("cut.tms"))) << messages[1].toStdString();
    EXPECT_EQ(edited, store);
}

TEST_F(ScriptListDialogTest, RunAndTemplateModesNeedAChosenEntry) {
    const ScriptStore store = storeOf({entry("Plain", "p.js"), entry("Blank", "b.js", 16)});
    EXPECT_TRUE(run(ScriptListMode::kChooseTemplate, store, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            static_cast<QDialog*>(dialog)->accept();
            selectRow(dialog, 0);
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.thenMessage(QMessageBox::Ok);
    }));
    EXPECT_EQ(messages, QStringList({QStringLiteral("スクリプトが選択されていません。")}));
    EXPECT_EQ(chosen, std::optional<std::size_t>(1));  // the store's index, not the row's

    EXPECT_FALSE(run(ScriptListMode::kChooseTemplate, ScriptStore{}, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            static_cast<QDialog*>(dialog)->accept();
            static_cast<QDialog*>(dialog)->reject();
        });
        answers.thenMessage(QMessageBox::Ok);
    }));
    EXPECT_EQ(messages, QStringList({QStringLiteral("スクリプトが選択されていません。")}));
}

TEST_F(ScriptListDialogTest, TheFullPathBoxDecidesWhatTheFileChoiceEntersAndIsKept) {
    const QString script = writeFile(QStringLiteral("chosen.js"), "// nothing");
    QStringList entered;
    const auto choose = [&](bool fullPath) {
        return [&, fullPath](QWidget* dialog) {
            dialog->findChild<QCheckBox*>(QStringLiteral("fullPath"))->setChecked(fullPath);
            click(dialog, "chooseFile");
            entered << dialog->findChild<QLineEdit*>(QStringLiteral("scriptFile"))->text();
            fillEntry(dialog, QStringLiteral("n%1").arg(entered.size()), entered.last());
        };
    };
    run(ScriptListMode::kRegister, ScriptStore{}, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "add");
            click(dialog, "add");
            static_cast<QDialog*>(dialog)->accept();
        });
        answers.then(choose(false));
        answers.thenFile(script);
        answers.then([&](QWidget* dialog) {
            // The box comes back as OK left it.
            EXPECT_FALSE(dialog->findChild<QCheckBox*>(QStringLiteral("fullPath"))->isChecked());
            choose(true)(dialog);
        });
        answers.thenFile(script);
    });
    EXPECT_EQ(entered, QStringList({QStringLiteral("chosen.js"), script}));
    EXPECT_TRUE(services.fullPath);
}

TEST_F(ScriptListDialogTest, HelpOpensTheTopicsOfTheListAndOfTheEntry) {
    run(ScriptListMode::kRegister, ScriptStore{}, [&](DialogAnswerer& answers) {
        answers.then([](QWidget* dialog) {
            click(dialog, "help");
            click(dialog, "add");
            static_cast<QDialog*>(dialog)->reject();
        });
        answers.then([](QWidget* dialog) {
            click(dialog, "help");
            static_cast<QDialog*>(dialog)->reject();
        });
    });
    EXPECT_EQ(helpTopics, QList<int>({66, 67}));
}

// The registered scripts of a started window: the tool menu and the
// commands.
class RegisteredScriptsTest : public StartedWindowTest {
protected:
    void start(const ScriptStore& store) {
        const std::vector<std::uint8_t> bytes = WriteScriptStore(store);
        env.store.SetBinary(ValueName::kScriptStore, bytes);
        ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(700, 500)));
    }

    QStringList toolEntries() const {
        QStringList texts;
        for (QAction* action : window->mainMenu()->toolMenu()->actions()) {
            if (!action->isSeparator())
                texts << action->text();
        }
        return texts;
    }

    // A script that writes the name it runs under to out.txt.
    QString nameScript(const QString& file) {
        const QString path = env.path(file);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QStringLiteral("TMScript.FileObject(\"%1\").Write(TMScript.ScriptName);\n")
                      .arg(env.path(QStringLiteral("out.txt")))
                      .toUtf8());
        return path;
    }
    QString output() const {
        QFile file(env.path(QStringLiteral("out.txt")));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<no output>");
        const QByteArray bytes = file.readAll();
        return toQString(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    }
    ScriptStore storedScripts() const {
        return ReadScriptStore(*env.store.QueryBinary(ValueName::kScriptStore)).Store;
    }
};

TEST_F(RegisteredScriptsTest, TheToolMenuShowsTheBoundPlacesInOrderAboveTheCommands) {
    ASSERT_NO_FATAL_FAILURE(start(storeOf({entry("Ten", "t.js", 10), entry("R&D", "r.js", 2),
                                           entry("Free", "f.js"), entry("Blank", "b.js", 16)})));
    const QStringList entries = toolEntries();
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[0], QStringLiteral("&2  R&&D\tF2"));
    EXPECT_EQ(entries[1], QStringLiteral("&0  Ten\tF10"));
    EXPECT_TRUE(entries[2].startsWith(QStringLiteral("スクリプトの登録(&E)...")));
    EXPECT_EQ(window->mainMenu()->toolMenu()->actions()[0]->objectName(),
              QStringLiteral("command42002"));

    // The keys follow the key table as it is applied again.
    KeyTable& keys = app->keyTable();
    keys.ClearKey(ToolMenuCommand(2));
    keys.SetKey(ToolMenuCommand(10), 0x0F, 'T');
    app->actions().applyShortcuts(keys);
    EXPECT_EQ(toolEntries().mid(0, 2),
              QStringList({QStringLiteral("&2  R&&D"), QStringLiteral("&0  Ten\tCtrl+Shift+T")}));
}

TEST_F(RegisteredScriptsTest, RegisterCancelKeepsTheStoreAndOkSavesTellsAndRebuilds) {
    ASSERT_NO_FATAL_FAILURE(start(storeOf({entry("First", "first.js", 3)})));
    const auto registerWith = [&](bool ok) {
        DialogAnswerer answers;
        answers.then([ok](QWidget* dialog) {
            click(dialog, "add");
            if (ok) {
                static_cast<QDialog*>(dialog)->accept();
            } else {
                static_cast<QDialog*>(dialog)->reject();
            }
        });
        answers.then([](QWidget* dialog) {
            fillEntry(dialog, QStringLiteral("Second"), QStringLiteral("second.js"),
                      QStringLiteral("メニュー 5"));
        });
        app->actions().action(kCmdRegisterScripts)->trigger();
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(answers.unexpected, 0);
    };
    registerWith(false);
    EXPECT_EQ(app->scripts().Count(), 1u);
    EXPECT_EQ(env.instances.scriptBroadcasts, 0);
    EXPECT_EQ(toolEntries().first(), QStringLiteral("&3  First\tF3"));

    registerWith(true);
    EXPECT_EQ(app->scripts().Count(), 2u);
    EXPECT_EQ(storedScripts(), app->scripts());
    EXPECT_EQ(env.instances.scriptBroadcasts, 1);
    EXPECT_EQ(toolEntries().mid(0, 2),
              QStringList({QStringLiteral("&3  First\tF3"), QStringLiteral("&5  Second\tF5")}));
}

TEST_F(RegisteredScriptsTest, ASecondEntryBoundToPlaceThreeLeavesOnlyItInTheMenu) {
    // Two entries naming place 3, as another window's older store may hold
    // them: the later one keeps the place.
    QByteArray bytes("!TMS\x02\x00\x00\x00", 8);
    for (const char* name : {"First", "Second"}) {
        bytes += '\x01';
        bytes += char(std::strlen(name));
        bytes += QByteArray(3, '\0');
        bytes += name;
        bytes += QByteArray("\x02\x04\x00\x00\x00x.js", 9);
        bytes += QByteArray("\x03\x03\x00\x00\x00\xff", 6);
    }
    env.store.SetBinary(ValueName::kScriptStore,
                        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  std::size_t(bytes.size())));
    ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(700, 500)));
    ASSERT_EQ(app->scripts().Count(), 2u);
    EXPECT_EQ(app->scripts().At(0).Place(), 0);
    EXPECT_EQ(toolEntries().first(), QStringLiteral("&3  Second\tF3"));
    EXPECT_EQ(toolEntries().size(), 4);

    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        EXPECT_EQ(rowTexts(dialog), QStringList({QStringLiteral("First||x.js"),
                                                 QStringLiteral("Second|メニュー 3|x.js")}));
        static_cast<QDialog*>(dialog)->reject();
    });
    app->actions().action(kCmdRegisterScripts)->trigger();
    EXPECT_TRUE(answers.allAnswered());
}

TEST_F(RegisteredScriptsTest, TheKeyOfAPlaceRunsItsScriptUnderTheEntrysName) {
    const QString script = nameScript(QStringLiteral("daily.js"));
    ASSERT_NO_FATAL_FAILURE(start(storeOf({entry("毎日の記録", script, 1)})));
    QTest::keyClick(window, Qt::Key_F2);  // a free place: nothing runs
    EXPECT_EQ(output(), QStringLiteral("<no output>"));
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(output(), QStringLiteral("毎日の記録"));
}

TEST_F(RegisteredScriptsTest, ABroadcastReloadRebuildsTheToolMenu) {
    ASSERT_NO_FATAL_FAILURE(start(storeOf({entry("Old", "o.js", 1)})));
    const std::vector<std::uint8_t> bytes = WriteScriptStore(storeOf({entry("New", "n.js", 4)}));
    env.store.SetBinary(ValueName::kScriptStore, bytes);
    app->reloadScripts();
    EXPECT_EQ(toolEntries().first(), QStringLiteral("&4  New\tF4"));
    EXPECT_EQ(toolEntries().size(), 4);
    EXPECT_EQ(env.instances.scriptBroadcasts, 0);
}

TEST_F(RegisteredScriptsTest, RunScriptRunsTheChosenEntry) {
    const QString script = nameScript(QStringLiteral("any.js"));
    ASSERT_NO_FATAL_FAILURE(
        start(storeOf({entry("Other", "missing.js"), entry("Chosen", script)})));
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        selectRow(dialog, 1);
        static_cast<QDialog*>(dialog)->accept();
    });
    app->actions().action(kCmdRunScript)->trigger();
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(output(), QStringLiteral("Chosen"));
}

TEST_F(RegisteredScriptsTest, NewFromTemplateInTheEmptyWindowRunsTheTemplateOnItsNote) {
    const QString path = env.path(QStringLiteral("blank.js"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "var n = TMScript.GetNote();\n"
        "n.GetRootItem().NewItem(n.MEMO, n.CHILD).Title = \"予定\";\n");
    file.close();
    ASSERT_NO_FATAL_FAILURE(start(storeOf({entry("Blank", path, 16)})));
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        selectRow(dialog, 0);
        static_cast<QDialog*>(dialog)->accept();
    });
    app->actions().action(kCmdNewFromTemplate)->trigger();
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(app->note().ItemCount(), 2u);
    EXPECT_TRUE(env.launcher.started.empty());

    // The window is no longer empty: the next template gets a process.
    app->actions().action(kCmdNewFromTemplate)->trigger();
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], QStringList({QStringLiteral("/t")}));
}

}  // namespace
