#include <cerrno>

#include <gtest/gtest.h>

#include "fileio/ErrorMessage.h"
#include "fileio/ErrorNumbers.h"
#ifndef _WIN32
#include "fileio/posix/ErrnoCodes.h"
#endif
#include "support/FakeDesktop.h"

namespace tessaro {
namespace {

using test::FakeDesktop;

TEST(ShowErrorMessage, StopBoxesEndWithTheClosingLineAndAnswerOk) {
    const std::pair<int, const char*> cases[] = {
        {64, "Ungültiger Dateiname !"},
        {53, "Datei nicht gefunden !"},
        {9, "Fehlerhafter Datenzugriff"},  // the one message without " !"
        {67, "Zu viele Dateien im Wurzelverzeihnis !"},
        {7, "nicht genügend Arbeitsspeicher !"},
        {27, "Ausgabe außerhalb Bildschirm oder Druckerrand !"},
    };
    for (const auto& [number, message] : cases) {
        FakeDesktop desktop;
        EXPECT_EQ(ShowErrorMessage(desktop, static_cast<std::int16_t>(number)), BoxAnswer::Ok)
            << number;
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].text, std::string(message) + "\r\nMorvane wird beendet");
        EXPECT_EQ(desktop.boxes[0].caption, "Morvane - Fehler");
        EXPECT_EQ(desktop.boxes[0].style.WindowsValue(), 0x10u);
        EXPECT_EQ(desktop.boxes[0].owner, nullptr);
    }
}

TEST(ShowErrorMessage, RetryBoxesAskAndHandBackTheAnswer) {
    const std::pair<int, const char*> cases[] = {
        {70, "Zugriffskonflikt !"},
        {76, "Pfad nicht vorhanden !"},
        {75, "Verzeichnis kann nicht gelöscht oder umbenannt werden !"},
        {72, "Diskette - Platte hat schlechte Sektoren !"},
    };
    for (const auto& [number, message] : cases) {
        FakeDesktop desktop;
        desktop.answers = {BoxAnswer::Retry, BoxAnswer::Cancel};
        EXPECT_EQ(ShowErrorMessage(desktop, static_cast<std::int16_t>(number)), BoxAnswer::Retry);
        EXPECT_EQ(ShowErrorMessage(desktop, static_cast<std::int16_t>(number)), BoxAnswer::Cancel);
        ASSERT_EQ(desktop.boxes.size(), 2u);
        EXPECT_EQ(desktop.boxes[0].text, message);
        EXPECT_EQ(desktop.boxes[0].caption, "Morvane - Fehler");
        EXPECT_EQ(desktop.boxes[0].style.WindowsValue(), 0x25u);
        EXPECT_EQ(desktop.boxes[0].owner, nullptr);
    }
}

TEST(ShowErrorMessage, NumbersWithoutAnEntryShowNothing) {
    for (const int number : {0, 6, 11, 60, 241, 255, -1}) {
        FakeDesktop desktop;
        EXPECT_EQ(ShowErrorMessage(desktop, static_cast<std::int16_t>(number)), BoxAnswer::None)
            << number;
        EXPECT_TRUE(desktop.boxes.empty()) << number;
    }
}

TEST(ShowErrorMessage, ABoxThatCannotBeShownAnswersZero) {
    FakeDesktop desktop;
    desktop.answers = {BoxAnswer::None};
    EXPECT_EQ(ShowErrorMessage(desktop, 70), BoxAnswer::None);
}

TEST(ClassifyWin32Error, FollowsTheWindowsTable) {
    EXPECT_EQ(ClassifyWin32Error(0), kNoError);
    EXPECT_EQ(ClassifyWin32Error(2), 53);
    EXPECT_EQ(ClassifyWin32Error(3), 76);
    EXPECT_EQ(ClassifyWin32Error(4), 67);
    EXPECT_EQ(ClassifyWin32Error(5), 75);
    EXPECT_EQ(ClassifyWin32Error(8), 7);
    EXPECT_EQ(ClassifyWin32Error(10), 241);
    EXPECT_EQ(ClassifyWin32Error(18), 53);
    EXPECT_EQ(ClassifyWin32Error(19), 70);
    EXPECT_EQ(ClassifyWin32Error(21), 71);
    EXPECT_EQ(ClassifyWin32Error(28), 27);
    EXPECT_EQ(ClassifyWin32Error(32), 70);
    EXPECT_EQ(ClassifyWin32Error(33), 70);
    EXPECT_EQ(ClassifyWin32Error(34), 72);
    EXPECT_EQ(ClassifyWin32Error(38), 62);
    EXPECT_EQ(ClassifyWin32Error(39), 61);
    // 40 and above count as success: ERROR_ALREADY_EXISTS after opening an existing file.
    EXPECT_EQ(ClassifyWin32Error(40), kNoError);
    EXPECT_EQ(ClassifyWin32Error(183), kNoError);
}

#ifndef _WIN32  // the POSIX layer's translation of errno
TEST(ClassifyWin32Error, PosixFailuresArriveAsWindowsWouldReportThem) {
    const auto classify = [](int error) {
        return ClassifyWin32Error(os::Win32CodeFromErrno(error));
    };
    EXPECT_EQ(classify(0), kNoError);
    EXPECT_EQ(classify(EWOULDBLOCK), 70);  // a lock held by another process
    EXPECT_EQ(classify(ENOENT), 53);
    EXPECT_EQ(classify(ENOTDIR), 76);
    EXPECT_EQ(classify(EACCES), 75);
    EXPECT_EQ(classify(EROFS), 70);
    EXPECT_EQ(classify(EMFILE), 67);
    EXPECT_EQ(classify(ENOMEM), 7);
    EXPECT_EQ(classify(EIO), 72);
    EXPECT_EQ(classify(ENOSPC), 61);
    // No classified code: an open that fails so reports a bad file name.
    EXPECT_EQ(classify(ENAMETOOLONG), kNoError);
    EXPECT_EQ(classify(ELOOP), kNoError);
}
#endif

}  // namespace
}  // namespace tessaro
