#include "app/frame/shortcuts/shortcut_commands.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <optional>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/frame/shortcuts/desktop_entry_reader_for_test.h"
#include "app/frame/shortcuts/shortcut_dialog.h"
#include "app/frame/shortcuts/shortcut_places.h"
#include "app/test_support.h"
#include "core/settings/settings.h"

namespace {

using tidemark::kCmdCreateShortcut;
using tidemark::kCmdSaveAs;

// Sets an environment variable for the life of the object, then puts back
// what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedVariable() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

QStringList entriesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString lf(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The shortcut folders of every test are its own: the XDG base folders in
// the test's folder, and a desktop that user-dirs.dirs names there (the way
// xdg-user-dir finds it).
class ShortcutTest : public ::testing::Test {
protected:
    ShortcutTest()
        : m_config("XDG_CONFIG_HOME", env.path(QStringLiteral("config"))),
          m_data("XDG_DATA_HOME", env.path(QStringLiteral("data"))),
          desktop(env.path(QStringLiteral("desk"))),
          menu(env.path(QStringLiteral("data/applications"))),
          startup(env.path(QStringLiteral("config/autostart"))),
          notePath(env.path(QStringLiteral("plan.tmk"))) {
        QDir().mkpath(env.path(QStringLiteral("config")));
        QFile dirs(env.path(QStringLiteral("config/user-dirs.dirs")));
        if (dirs.open(QIODevice::WriteOnly))
            dirs.write("XDG_DESKTOP_DIR=\"" + desktop.toLocal8Bit() + "\"\n");
    }

    // A window on the saved note plan.tmk.
    void start() {
        writeNoteFile(*env.files, notePath, {"memo"});
        startWith({notePath});
    }
    void startWith(const QStringList& arguments) {
        outcome = env.start(arguments);
        ASSERT_TRUE(outcome.runLoop);
        app = outcome.application.get();
        window = app->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    // The same program started again.
    void restart() {
        window->close();
        outcome = StartupOutcome();
        ASSERT_NO_FATAL_FAILURE(startWith({notePath}));
    }

    void trigger(tidemark::CommandId id) { app->actions().action(id)->trigger(); }

    // Types `name` into the dialog, picks the place and presses OK, as a user
    // would; whether the dialog is still open afterwards.
    static bool pressOk(QWidget* dialog, const QString& name, const char* place = "placeDesktop") {
        dialog->findChild<QLineEdit*>(QStringLiteral("shortcutName"))->setText(name);
        dialog->findChild<QRadioButton*>(QLatin1String(place))->click();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return dialog->isVisible();
    }
    static QString checkedPlace(QWidget* dialog) {
        for (QRadioButton* button : dialog->findChildren<QRadioButton*>()) {
            if (button->isChecked())
                return button->objectName();
        }
        return QString();
    }

    TestEnvironment env;
    ScopedVariable m_config;
    ScopedVariable m_data;
    const QString desktop;
    const QString menu;
    const QString startup;
    const QString notePath;
    StartupOutcome outcome;
    Application* app = nullptr;
    MainWindow* window = nullptr;
};

using ShortcutDialogTest = ShortcutTest;
using ShortcutOfferTest = ShortcutTest;

TEST_F(ShortcutDialogTest, AnUnsavedNoteIsSavedFirstAndACancelledSaveAsEndsTheCommand) {
    startWith({});
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    answers.thenCancel();  // Save As
    trigger(kCmdCreateShortcut);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.messages, QStringList{lf(uiText(20015))});
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(app->notePath().isEmpty());

    // Saved this time: the dialog follows with the new file's name, and no
    // offer of a shortcut comes in between.
    const QString saved = env.path(QStringLiteral("fresh.tmk"));
    QString proposedName;
    answers.thenMessage(QMessageBox::Ok);
    answers.thenFile(saved);
    answers.then([&](QWidget* dialog) {
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("shortcutName")))
            proposedName = name->text();
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdCreateShortcut);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(app->notePath(), saved);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(proposedName, QStringLiteral("fresh"));
    EXPECT_TRUE(entriesIn(desktop).isEmpty());
}

TEST_F(ShortcutDialogTest, RefusedNamesKeepTheDialogOpenAndWriteNothing) {
    ASSERT_NO_FATAL_FAILURE(start());
    const QString forbiddenText = QStringLiteral(
        "ショートカットの名前に不正な文字が含まれています。\n次の文字は使用できません。\n\n"
        "\\ / : , ; * ? \" < > |");
    // The longest name that fits: the desktop folder, "/", the name,
    // ".desktop" and a terminator make 260 bytes.
    const int longest = 260 - static_cast<int>(desktop.toUtf8().size()) - 1 - 8 - 1;
    ASSERT_GT(longest, 10);
    struct Case {
        QString name;
        QString message;
    };
    std::vector<Case> cases = {
        {QString(), lf(uiText(20016))},
        {QStringLiteral(" \t\u3000 "), lf(uiText(20016))},  // U+3000 is CP932's 0x8140
        {QString(longest + 1, u'x'), lf(uiText(20017))},
        // Three bytes a character in the file name, though two in CP932.
        {QString(longest / 3 + 1, u'あ'), lf(uiText(20017))},
    };
    for (const QChar c : QStringLiteral("\\/:,;*?\"<>|"))
        cases.push_back({QStringLiteral("a") + c + QStringLiteral("b"), forbiddenText});

    DialogAnswerer answers;
    QString fieldAfterLongPaste;
    answers.then([&](QWidget* dialog) {
        for (const Case& c : cases) {
            const qsizetype before = answers.messages.size();
            EXPECT_TRUE(pressOk(dialog, c.name)) << c.name.toStdString();
            ASSERT_EQ(answers.messages.size(), before + 1) << c.name.toStdString();
            EXPECT_EQ(answers.messages.back(), c.message) << c.name.toStdString();
        }
        EXPECT_TRUE(entriesIn(desktop).isEmpty());
        // The field holds no more than 259 bytes.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("shortcutName"));
        name->setText(QString(300, u'y'));
        fieldAfterLongPaste = name->text();
        // Blanks around the name go; "ソ" (0x83 0x5C) is no backslash.
        EXPECT_FALSE(pressOk(dialog, QStringLiteral("\u3000ソ \t")));
    });
    for (std::size_t i = 0; i < cases.size(); ++i)
        answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdCreateShortcut);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(fieldAfterLongPaste, QString(259, u'y'));
    EXPECT_EQ(entriesIn(desktop), QStringList{QStringLiteral("ソ.desktop")});
    EXPECT_EQ(desktopEntryKeys(contentsOf(desktop + QStringLiteral("/ソ.desktop")))
                  .value(QStringLiteral("Name")),
              QStringLiteral("ソ"));
}

TEST_F(ShortcutDialogTest, TheLongestNameThatFitsIsAccepted) {
    ASSERT_NO_FATAL_FAILURE(start());
    const int longest = 260 - static_cast<int>(desktop.toUtf8().size()) - 1 - 8 - 1;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) { EXPECT_FALSE(pressOk(dialog, QString(longest, u'x'))); });
    trigger(kCmdCreateShortcut);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_TRUE(answers.messages.isEmpty());
    EXPECT_EQ(entriesIn(desktop), QStringList{QString(longest, u'x') + QStringLiteral(".desktop")});
}

TEST_F(ShortcutDialogTest, TheEntryPassesTheValidatorAndStartsTheProgramOnTheNote) {
    // A note whose path needs every kind of quoting.
    const QString odd = env.path(QStringLiteral("a \"b\" $c `d` 50% e\\f.tmk"));
    writeNoteFile(*env.files, odd, {"memo"});
    ASSERT_NO_FATAL_FAILURE(startWith({odd}));
    DialogAnswerer answers;
    answers.then(
        [&](QWidget* dialog) { EXPECT_FALSE(pressOk(dialog, QStringLiteral("計画 メモ"))); });
    trigger(kCmdCreateShortcut);
    ASSERT_TRUE(answers.allAnswered());

    const QString path = desktop + QStringLiteral("/計画 メモ.desktop");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::ExeOwner);
    const QMap<QString, QString> keys = desktopEntryKeys(contentsOf(path));
    EXPECT_EQ(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(keys.value(QStringLiteral("Name")), QStringLiteral("計画 メモ"));
    EXPECT_EQ(keys.value(QStringLiteral("Icon")), QStringLiteral("tidemark"));
    EXPECT_EQ(keys.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    EXPECT_EQ(execArguments(keys.value(QStringLiteral("Exec"))),
              (QStringList{QCoreApplication::applicationFilePath(), odd}));

    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(QStringLiteral("desktop-file-validate"), {path});
    ASSERT_TRUE(validator.waitForFinished(10000)) << validator.errorString().toStdString();
    const QString said = QString::fromUtf8(validator.readAll());
    EXPECT_EQ(validator.exitCode(), 0) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("error"))) << said.toStdString();
}

TEST_F(ShortcutDialogTest, EachPlaceHasItsFolderAndTheLastOneIsChosenAgainUntilARestart) {
    ASSERT_NO_FATAL_FAILURE(start());
    const struct {
        const char* place;
        QString folder;
    } places[] = {
        {"placeMenu", menu},
        {"placeStartup", startup},
        {"placeDesktop", desktop},
    };
    QString expectedChecked = QStringLiteral("placeDesktop");
    for (const auto& p : places) {
        DialogAnswerer answers;
        QString checked;
        answers.then([&](QWidget* dialog) {
            checked = checkedPlace(dialog);
            EXPECT_FALSE(pressOk(dialog, QStringLiteral("plan"), p.place));
        });
        trigger(kCmdCreateShortcut);
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(checked, expectedChecked);
        EXPECT_EQ(entriesIn(p.folder), QStringList{QStringLiteral("plan.desktop")}) << p.place;
        expectedChecked = QLatin1String(p.place);
    }

    // Cancel leaves the place chosen last as it was.
    {
        DialogAnswerer answers;
        QString checked;
        answers.then([](QWidget* dialog) {
            dialog->findChild<QRadioButton*>(QStringLiteral("placeStartup"))->click();
            static_cast<QDialog*>(dialog)->reject();
        });
        answers.then([&](QWidget* dialog) {
            checked = checkedPlace(dialog);
            EXPECT_FALSE(pressOk(dialog, QStringLiteral("second"), "placeStartup"));
        });
        trigger(kCmdCreateShortcut);
        trigger(kCmdCreateShortcut);
        EXPECT_TRUE(answers.allAnswered());
        EXPECT_EQ(checked, QStringLiteral("placeDesktop"));
    }

    ASSERT_NO_FATAL_FAILURE(restart());
    DialogAnswerer answers;
    QString checked;
    answers.then([&](QWidget* dialog) {
        checked = checkedPlace(dialog);
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdCreateShortcut);
    EXPECT_EQ(checked, QStringLiteral("placeDesktop"));
}

TEST_F(ShortcutDialogTest, AnExistingShortcutIsReplacedOnlyAfterYes) {
    ASSERT_NO_FATAL_FAILURE(start());
    QDir().mkpath(desktop);
    const QString path = desktop + QStringLiteral("/plan.desktop");
    ASSERT_NO_FATAL_FAILURE(writeFile(path, "old"));

    DialogAnswerer answers;
    std::vector<QMessageBox::Icon> icons;
    bool openAfterNo = false;
    QByteArray afterNo;
    answers.then([&](QWidget* dialog) {
        openAfterNo = pressOk(dialog, QStringLiteral("plan"));
        afterNo = contentsOf(path);
        EXPECT_FALSE(pressOk(dialog, QStringLiteral("plan")));
    });
    for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
        answers.then([&icons, button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            icons.push_back(box->icon());
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(button)->click();
        });
    }
    trigger(kCmdCreateShortcut);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(afterNo, QByteArray("old"));
    EXPECT_EQ(answers.messages, QStringList(2, lf(uiText(13003))));
    EXPECT_EQ(icons, (std::vector<QMessageBox::Icon>{QMessageBox::Warning, QMessageBox::Warning}));
    EXPECT_EQ(desktopEntryKeys(contentsOf(path)).value(QStringLiteral("Type")),
              QStringLiteral("Application"));
    EXPECT_EQ(entriesIn(desktop), QStringList{QStringLiteral("plan.desktop")});
}

TEST_F(ShortcutDialogTest, AFolderThatCannotBeMadeFailsAndTheDialogStaysForAnotherPlace) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(writeFile(desktop, "a file where the desktop folder should be"));
    DialogAnswerer answers;
    bool stayed = false;
    answers.then([&](QWidget* dialog) {
        stayed = pressOk(dialog, QStringLiteral("plan"));
        EXPECT_FALSE(pressOk(dialog, QStringLiteral("plan"), "placeMenu"));
    });
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdCreateShortcut);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_TRUE(stayed);
    EXPECT_EQ(answers.messages, QStringList{lf(uiText(20018))});
    EXPECT_EQ(entriesIn(menu), QStringList{QStringLiteral("plan.desktop")});
    EXPECT_EQ(entriesIn(env.folder()).filter(QStringLiteral("plan")),
              QStringList{QStringLiteral("plan.tmk")});

    // The failed place is not remembered; the one that worked is.
    QString checked;
    answers.then([&](QWidget* dialog) {
        checked = checkedPlace(dialog);
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdCreateShortcut);
    EXPECT_EQ(checked, QStringLiteral("placeMenu"));
}

TEST_F(ShortcutDialogTest, HelpOpensItsTopicExceptOverTheHelpNote) {
    ASSERT_NO_FATAL_FAILURE(start());
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        auto* help = dialog->findChild<QPushButton*>(QStringLiteral("help"));
        EXPECT_TRUE(help->isEnabled());
        help->click();
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdCreateShortcut);
    ASSERT_EQ(env.launcher.started.size(), 1u);
    EXPECT_EQ(env.launcher.started[0], (QStringList{QStringLiteral("/h"), QStringLiteral("63")}));

    // The help note, read-only: the command stays available, Help does not.
    window->close();
    outcome = StartupOutcome();
    writeNoteFile(*env.files, env.environment().helpNotePath, {"help"});
    ASSERT_NO_FATAL_FAILURE(startWith({}));
    ASSERT_TRUE(app->fileCommands().openHelpNote(0));
    app->updateActions();
    ASSERT_TRUE(app->IsReadOnly());
    EXPECT_TRUE(app->actions().action(kCmdCreateShortcut)->isEnabled());
    std::optional<bool> helpEnabled;
    answers.then([&](QWidget* dialog) {
        helpEnabled = dialog->findChild<QPushButton*>(QStringLiteral("help"))->isEnabled();
        static_cast<QDialog*>(dialog)->reject();
    });
    trigger(kCmdCreateShortcut);
    EXPECT_EQ(helpEnabled, std::optional<bool>(false));
}

TEST_F(ShortcutDialogTest, TheDesktopIsWhereXdgUserDirSaysOrTheHomeDesktop) {
    EXPECT_EQ(shortcutFolder(ShortcutPlace::kDesktop), desktop);
    QProcess userDir;
    userDir.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("DESKTOP")});
    ASSERT_TRUE(userDir.waitForFinished(5000));
    EXPECT_EQ(QString::fromLocal8Bit(userDir.readAllStandardOutput()).trimmed(), desktop);

    // Without user-dirs.dirs, and with relative base folders (which do not count).
    const ScopedVariable home("HOME", env.path(QStringLiteral("home")));
    const ScopedVariable config("XDG_CONFIG_HOME", QStringLiteral("relative/config"));
    const ScopedVariable data("XDG_DATA_HOME", QStringLiteral("relative/data"));
    const QString homePath = env.path(QStringLiteral("home"));
    EXPECT_EQ(shortcutFolder(ShortcutPlace::kDesktop), homePath + QStringLiteral("/Desktop"));
    EXPECT_EQ(shortcutFolder(ShortcutPlace::kMenu),
              homePath + QStringLiteral("/.local/share/applications"));
    EXPECT_EQ(shortcutFolder(ShortcutPlace::kStartup),
              homePath + QStringLiteral("/.config/autostart"));
}

// Dialog 130: the offer after a save under a new name.

TEST_F(ShortcutOfferTest, AnInteractiveSaveAsOffersAndYesOpensTheShortcutDialog) {
    startWith({});
    const QString saved = env.path(QStringLiteral("offered.tmk"));
    DialogAnswerer answers;
    answers.thenFile(saved);
    QString text;
    bool boxTicked = false;
    QString boxText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    answers.then([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        icon = box->icon();
        ASSERT_NE(box->checkBox(), nullptr);
        boxTicked = box->checkBox()->isChecked();
        boxText = box->checkBox()->text();
        box->button(QMessageBox::Yes)->click();
    });
    bool dialogCame = false;
    answers.then([&](QWidget* dialog) {
        dialogCame = qobject_cast<ShortcutDialog*>(dialog) != nullptr;
        EXPECT_FALSE(pressOk(dialog, QStringLiteral("offered")));
    });
    trigger(kCmdSaveAs);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(text,
              QStringLiteral(
                  "保存したノートファイルへのショートカットを、デスクトップやスタートメニュー、"
                  "または、スタートアップの中に作成することができます。\n\n"
                  "ショートカットを作成しますか?"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_TRUE(boxTicked);
    EXPECT_EQ(boxText, QStringLiteral("このダイアログを今後も表示する(&D)"));
    EXPECT_TRUE(dialogCame);
    EXPECT_EQ(entriesIn(desktop), QStringList{QStringLiteral("offered.desktop")});
    EXPECT_EQ(app->settings().NoShortcutOffer, 0);
    EXPECT_EQ(env.instances.settingsBroadcasts, 0);
}

TEST_F(ShortcutOfferTest, NoOfferAfterASaveAsNotGivenByTheUserOrOnceSwitchedOff) {
    startWith({});
    DialogAnswerer answers;
    answers.thenFile(env.path(QStringLiteral("quiet.tmk")));
    EXPECT_TRUE(app->fileCommands().saveAs(false));
    EXPECT_TRUE(answers.allAnswered());

    app->settings().NoShortcutOffer = 1;
    answers.thenFile(env.path(QStringLiteral("quiet2.tmk")));
    trigger(kCmdSaveAs);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(app->notePath(), env.path(QStringLiteral("quiet2.tmk")));
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(answers.messages.isEmpty());
}

TEST_F(ShortcutOfferTest, ClearingTheBoxSwitchesTheOfferOffForThisAndTheOtherWindows) {
    startWith({});
    DialogAnswerer answers;
    answers.thenFile(env.path(QStringLiteral("once.tmk")));
    answers.then([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        box->checkBox()->setChecked(false);
        box->button(QMessageBox::No)->click();
    });
    trigger(kCmdSaveAs);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(app->settings().NoShortcutOffer, 1);
    EXPECT_EQ(env.instances.settingsBroadcasts, 1);
    tidemark::Settings stored;
    stored.Load({env.store, env.fonts, env.dragScroll, false});
    EXPECT_EQ(stored.NoShortcutOffer, 1);
    EXPECT_TRUE(entriesIn(desktop).isEmpty());

    // The next Save As goes by without the question.
    answers.thenFile(env.path(QStringLiteral("twice.tmk")));
    trigger(kCmdSaveAs);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(answers.messages.size(), 1);
}

TEST_F(ShortcutOfferTest, ASaveAsThatFailsAndIsDoneAgainOffersOnce) {
    startWith({});
    const QString missing = env.path(QStringLiteral("no-such-folder/first.tmk"));
    DialogAnswerer answers;
    answers.thenFile(missing);
    answers.thenMessage(QMessageBox::Ok);  // the save failed
    answers.thenFile(env.path(QStringLiteral("second.tmk")));
    answers.thenMessage(QMessageBox::No);
    trigger(kCmdSaveAs);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    ASSERT_EQ(answers.messages.size(), 2);
    EXPECT_TRUE(answers.messages[1].endsWith(QStringLiteral("ショートカットを作成しますか?")));
    EXPECT_EQ(app->notePath(), env.path(QStringLiteral("second.tmk")));
}

}  // namespace
