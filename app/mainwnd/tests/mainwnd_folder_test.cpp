// Loading a folder as the command line asks, the command line's row, the
// paused picture across repaints and the picture counters.
#include "WindowPlaybackFixture.h"

#include "PlayStats.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlSliderEx.h"
#include "panels/display/CFullScreen.h"
#include "panels/display/CWndDisplay.h"
#include "skin/SkinScale.h"
#include "startup/CKestrelApp.h"

#include <QDir>
#include <QPaintEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace kestrel::mainwnd;

namespace mainwnd_test {
namespace {

TEST_F(WindowPlayback, AFolderLoadFillsTheListAndRemembersTheFolder)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    EXPECT_EQ(List().GetItemCount(), m_card.recordings);
    EXPECT_EQ(List().GetSelectedItem(), 0);
    EXPECT_TRUE(w->Control(kBtnPlayForward)->isEnabled());
    EXPECT_TRUE(w->ListWnd()->AllButton()->isEnabled());
    EXPECT_EQ(w->Settings().m_strLatestFilePath, QDir(QString::fromStdString(m_folder)).absolutePath());
    EXPECT_TRUE(LoggedMessages().isEmpty());

    // Loading again while playing stops first.
    ASSERT_TRUE(w->PlayRow(1));
    EXPECT_EQ(w->LoadRecordingFolder(QString::fromStdString(m_folder)), CPlayFlow::kStopped);
    EXPECT_EQ(Flow().PlayState(), CPlayFlow::kStopped);
    EXPECT_EQ(w->ListWnd()->PlayingRow(), -1);
    EXPECT_TRUE(Shown(kBtnPlayForward));
}

TEST_F(WindowPlayback, AFolderWithoutRecordingsOrMissingLeavesNothingToPlay)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    const QString empty = m_tmp.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    EXPECT_EQ(w->LoadRecordingFolder(empty), CPlayFlow::kNoRecordings);
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_FALSE(w->Control(kBtnPlayForward)->isEnabled());
    EXPECT_FALSE(w->ListWnd()->AllButton()->isEnabled());
    EXPECT_FALSE(w->PlayRow(0));

    EXPECT_EQ(w->LoadRecordingFolder(m_tmp.filePath(QStringLiteral("no such folder"))), CPlayFlow::kNoRecordings);
    const QStringList messages = LoggedMessages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("empty")));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("no such folder")));
}

TEST_F(WindowPlayback, TheCommandLineLoadsItsFolderAndPlaysItsRow)
{
    m_folder = WriteCard();
    m_app.App().SetStartRequest(QString::fromStdString(m_folder), 1);
    w = std::make_unique<CKestrelDlg>(m_app.App());
    w->show();
    const bool playing = WaitFor([&] { return w->ListWnd()->PlayingRow() == 1; }, 5000);
    m_app.App().SetStartRequest(QString(), -1);
    ASSERT_TRUE(playing);
    EXPECT_EQ(List().GetItemCount(), m_card.recordings);
    EXPECT_TRUE(Shown(kBtnPause));
    EXPECT_EQ(List().GetPlayStatus(), 1);
}

TEST_F(WindowPlayback, APausedPictureSurvivesRepaintsOfItsPanel)
{
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    QWidget* panel = w->ChannelPanel(0);
    const QImage logo = panel->grab().toImage();
    ASSERT_TRUE(w->PlayRow(0));
    ASSERT_TRUE(WaitFor([&] { return w->Slider(kSldPlaybar)->GetPos() >= 400; }));
    w->DispatchCommand(kBtnPause);
    QThread::msleep(300);  // the last pictures before the pause land
    Settle();
    const QImage paused = panel->grab().toImage();
    ASSERT_NE(paused, logo);

    // Exposing the window again and painting the panel itself keep the
    // picture. (The opaque picture widget covers the panel, so the toolkit
    // rarely paints the panel on its own; the paint is sent directly.)
    w->hide();
    w->show();
    QPaintEvent expose(panel->rect());
    QApplication::sendEvent(panel, &expose);
    EXPECT_EQ(panel->grab().toImage(), paused);
    QThread::msleep(300);
    Settle();
    EXPECT_EQ(panel->grab().toImage(), paused);
    // So does a new window size.
    w->DispatchCommand(kBtnMax);
    Settle();
    EXPECT_NE(panel->grab().toImage().scaled(logo.size()), logo.scaled(logo.size()));

    // Stop clears back to the logo.
    w->DispatchCommand(kBtnMRestore);
    w->DispatchCommand(kBtnStop);
    Settle();
    EXPECT_EQ(panel->grab().toImage(), logo);
}

TEST_F(WindowPlayback, PlayStatisticsCountDeliveredAndPaintedPictures)
{
    const QString file = m_tmp.filePath(QStringLiteral("stats.json"));
    qputenv("KESTREL_PLAY_STATS", file.toUtf8());
    ASSERT_EQ(OpenWindowWithCard(), CPlayFlow::kStopped);
    ASSERT_TRUE(w->PlayRow(0));
    ASSERT_TRUE(WaitFor([&] { return w->Slider(kSldPlaybar)->GetPos() >= 1000; }));
    w->DispatchCommand(kBtnExit);
    Settle();

    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(in.readAll()).object();
    const QJsonArray channels = root.value(QStringLiteral("channels")).toArray();
    ASSERT_EQ(channels.size(), 4);
    for (int channel = 0; channel < 2; ++channel) {
        const QJsonObject c = channels[channel].toObject();
        // 5 pictures a second for at least one second.
        EXPECT_GE(c.value(QStringLiteral("delivered")).toInt(), 4) << channel;
        EXPECT_GT(c.value(QStringLiteral("painted")).toInt(), 0) << channel;
    }
    EXPECT_EQ(channels[2].toObject().value(QStringLiteral("delivered")).toInt(), 0);
    EXPECT_EQ(root.value(QStringLiteral("fullscreen")).toObject().value(QStringLiteral("delivered")).toInt(), 0);
    const double seconds = root.value(QStringLiteral("seconds_played")).toDouble();
    EXPECT_GE(seconds, 0.9);
    EXPECT_LT(seconds, 30.0);
    // The wait for the first picture is written, and lies within the time
    // played (0 when the engine's first picture beat the play state).
    ASSERT_TRUE(root.contains(QStringLiteral("seconds_to_first_picture")));
    const double wait = root.value(QStringLiteral("seconds_to_first_picture")).toDouble();
    EXPECT_GE(wait, 0.0);
    EXPECT_LT(wait, seconds);
}

TEST(WindowLanguage, PanelsTakeTheNewLanguage)
{
    AppFolderOptions options;
    options.secondLanguage = true;
    PreparedApp prepared(options);
    ASSERT_TRUE(prepared.Ok());
    CKestrelApp& app = prepared.App();
    CKestrelDlg w(app);
    w.show();
    QApplication::processEvents();
    ASSERT_NE(w.FullScreenWnd(), nullptr);
    EXPECT_EQ(w.FullScreenWnd()->LabelText(), app.Resources().GetUIText(QStringLiteral("display_text_front")));

    ASSERT_TRUE(app.LoadLanguage(prepared.TestLanguageIndex()));
    w.ReapplyLanguage();
    EXPECT_EQ(w.FullScreenWnd()->LabelText(), TestLanguageText(QStringLiteral("display_text_front")));
    EXPECT_EQ(w.ListWnd()->AllButton()->GetWindowText(), TestLanguageText(QStringLiteral("btn_list_all")));
    // The rows and the full-screen label take the new language's font: the
    // label at the front label's size scaled to the window, as at creation.
    EXPECT_EQ(w.ListWnd()->ListBox()->FontFace(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(w.FullScreenWnd()->LabelFontFace(), QStringLiteral("DejaVu Serif"));
    const int frontSize = app.Resources().GetUIFontSize(QStringLiteral("display_text_front"));
    const int scaled = kestrel::skin::ScaleFontSize(frontSize, w.width(), w.height(), w.Reference());
    ASSERT_NE(scaled, frontSize) << "a window of another size than the skin's";
    EXPECT_EQ(w.FullScreenWnd()->LabelFontSize(), scaled);
    w.DispatchCommand(kBtnExit);
    QApplication::processEvents();
}

}  // namespace
}  // namespace mainwnd_test
