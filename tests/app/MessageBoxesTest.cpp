#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/DesktopEntry.h"
#include "app/MessageBoxes.h"
#include "app/QtDesktop.h"
#include "fileio/DesktopPort.h"

namespace tessaro {
namespace {

QStringList ButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons()) {
        texts << button->text();
    }
    texts.sort();
    return texts;
}

TEST(MessageBoxes, StylesBecomeIconsAndGermanButtons) {
    const auto stop =
        BuildMessageBox(nullptr, "a\r\nb\rc", "Titel", BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_EQ(stop->icon(), QMessageBox::Critical);
    EXPECT_EQ(stop->text(), "a\nb\nc");
    EXPECT_EQ(stop->windowTitle(), "Titel");
    EXPECT_EQ(ButtonTexts(*stop), QStringList({"OK"}));
    const auto retry =
        BuildMessageBox(nullptr, "x", "", BoxButtons::RetryCancel | BoxIcon::Question);
    EXPECT_EQ(retry->icon(), QMessageBox::Question);
    EXPECT_EQ(ButtonTexts(*retry), QStringList({"Abbrechen", "Wiederholen"}));
    const auto yesNo = BuildMessageBox(nullptr, "x", "", BoxButtons::YesNo | BoxIcon::Exclamation);
    EXPECT_EQ(yesNo->icon(), QMessageBox::Warning);
    EXPECT_EQ(ButtonTexts(*yesNo), QStringList({"Ja", "Nein"}));
    EXPECT_EQ(BuildMessageBox(nullptr, "x", "", BoxButtons::Ok | BoxIcon::None)->icon(),
              QMessageBox::NoIcon);
    EXPECT_EQ(BuildMessageBox(nullptr, "x", "", BoxButtons::Ok | BoxIcon::Information)->icon(),
              QMessageBox::Information);
}

BoxAnswer AnswerWhenClicking(BoxStyle style, const QString& buttonText) {
    const auto box = BuildMessageBox(nullptr, "x", "y", style);
    QTimer::singleShot(0, box.get(), [&box, buttonText] {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == buttonText) {
                button->click();
            }
        }
    });
    box->exec();
    return AnswerOf(*box);
}

TEST(MessageBoxes, TheAnswerIsTheWindowsButtonCode) {
    EXPECT_EQ(AnswerWhenClicking(BoxStyle{}, "OK"), BoxAnswer::Ok);
    EXPECT_EQ(AnswerWhenClicking(BoxStyle{BoxButtons::RetryCancel}, "Wiederholen"),
              BoxAnswer::Retry);
    EXPECT_EQ(AnswerWhenClicking(BoxStyle{BoxButtons::RetryCancel}, "Abbrechen"),
              BoxAnswer::Cancel);
    EXPECT_EQ(AnswerWhenClicking(BoxStyle{BoxButtons::YesNo}, "Ja"), BoxAnswer::Yes);
    EXPECT_EQ(AnswerWhenClicking(BoxStyle{BoxButtons::YesNo}, "Nein"), BoxAnswer::No);
}

TEST(MessageBoxes, AreAtLeastAsWideAsTheirCaption) {
    // A short text under a long caption: the window manager would cut the caption.
    for (const char* caption :
         {"Tessaro Dateifehler - Benutzerabbruch", "über diese Version ...", "Memofeld"}) {
        const auto box = BuildMessageBox(nullptr, "x", caption, BoxButtons::Ok | BoxIcon::Stop);
        QFont bold = box->font();
        bold.setBold(true);
        EXPECT_GT(box->sizeHint().width(), QFontMetrics(bold).horizontalAdvance(caption) + 60)
            << caption;
    }
}

TEST(MessageBoxes, EscapeGivesUp) {
    const auto box = BuildMessageBox(nullptr, "x", "y", BoxStyle{BoxButtons::RetryCancel});
    EXPECT_EQ(box->escapeButton()->text(), "Abbrechen");
    EXPECT_EQ(
        BuildMessageBox(nullptr, "x", "y", BoxStyle{BoxButtons::YesNo})->escapeButton()->text(),
        "Nein");
}

TEST(OpenDialogFilters, MatchWithoutRegardToCase) {
    EXPECT_EQ(NameFiltersOf("dbf Datei|*.dbf|Alle Dateien|*.*"),
              QStringList({"dbf Datei (*.dbf *.DBF)", "Alle Dateien (*)"}));
}

TEST(OpenDialogs, NameTheTablesAndKeepNoSettings) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/QtProject.conf");
    const QFileInfo before(config);
    KeepNoQtSettings();
    OpenDialogRequest request;
    request.title = "DBF Datei öffnen :";
    request.fileName = "*.DBF";
    request.filter = "dbf Datei|*.dbf|Alle Dateien|*.*";
    {
        const std::unique_ptr<QFileDialog> dialog = BuildOpenDialog(nullptr, request);
        const QLineEdit* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "*.DBF");
        dialog->setDirectory(QDir::tempPath());  // history and last folder, for the settings
    }
    EXPECT_FALSE(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).isWritable());
    const QFileInfo after(config);
    EXPECT_EQ(after.exists(), before.exists()) << config.toStdString();
    if (before.exists()) {
        EXPECT_EQ(after.lastModified(), before.lastModified()) << config.toStdString();
    }
}

TEST(DesktopEntries, GiveTheEditorsCommand) {
    const auto gedit = CommandFromDesktopEntry(
        "[Desktop Entry]\nName=Text\nExec=gedit %U\nTerminal=false\n[Desktop Action "
        "new]\nExec=gedit --new\n",
        "/tmp/a b.tmp");
    ASSERT_TRUE(gedit);
    EXPECT_EQ(gedit->argv, (std::vector<std::string>{"gedit", "/tmp/a b.tmp"}));
    EXPECT_FALSE(gedit->terminal);
    const auto quoted = CommandFromDesktopEntry(
        "[Desktop Entry]\nExec=\"/opt/my editor/bin/ed\" --icon %i -x %f %%\nTerminal=true\n",
        "f.tmp");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->argv,
              (std::vector<std::string>{"/opt/my editor/bin/ed", "--icon", "-x", "f.tmp", "%"}));
    EXPECT_TRUE(quoted->terminal);
    const auto noCode = CommandFromDesktopEntry("[Desktop Entry]\nExec=mousepad\n", "f.tmp");
    ASSERT_TRUE(noCode);
    EXPECT_EQ(noCode->argv, (std::vector<std::string>{"mousepad", "f.tmp"}));
    EXPECT_FALSE(CommandFromDesktopEntry("[Desktop Entry]\nName=x\n", "f"));
    EXPECT_FALSE(CommandFromDesktopEntry("[Desktop Entry]\nExec=x %f\nHidden=true\n", "f"));
}

}  // namespace
}  // namespace tessaro
