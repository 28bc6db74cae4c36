// The open popup over card folders made and removed while it is open, and the
// load popup against the real plug-in on generated cards: results, progress,
// a cancel that breaks the load once and closes within a second, and the two
// popups' pictures.
#include "PopupTestEnv.h"

#include "popups/CLoadFile.h"
#include "popups/COpenAll.h"

#include "CardGen.h"
#include "controls/CtrlMessages.h"
#include "jobs/CLoadJob.h"
#include "services/CDriveWatcher.h"
#include "skin/CUIResources.h"
#include "startup/CKestrelApp.h"

#include "filehub/CPluginManager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using kestrel::services::CDriveWatcher;
using kestrel::services::DriveSources;
using popuptest::App;
using popuptest::Res;

template <typename Pred>
bool WaitFor(Pred pred, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

QString OutFile(const QString& name) { return QStringLiteral(POPUP_TEST_OUT "/") + name; }

class OpenPopup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_sources.mountInfo = m_tmp.filePath(QStringLiteral("no mount table"));
        m_sources.extraRoots = {Card(QStringLiteral("CARD_A")), Card(QStringLiteral("CARD_B"))};
    }
    QString Card(const QString& name) const { return m_tmp.filePath(QStringLiteral("slots/") + name); }
    QString Root(const QString& name) const { return Card(name) + QLatin1Char('/'); }

    QTemporaryDir m_tmp;
    DriveSources m_sources;
};

TEST_F(OpenPopup, ListsTheCardsPreselectsThePreferredOneAndAnswersWithIt)
{
    ASSERT_TRUE(QDir().mkpath(Card(QStringLiteral("CARD_A"))));
    ASSERT_TRUE(QDir().mkpath(Card(QStringLiteral("CARD_B"))));
    CDriveWatcher watcher(m_sources);
    {
        COpenAll popup(Res(), &watcher);
        EXPECT_EQ(popup.TemplateId(), 104);
        EXPECT_EQ(popup.TitleText(), Res().GetUIText(QStringLiteral("popup_dlg_open")));
        EXPECT_EQ(popup.OtherButton().GetWindowText(), Res().GetUIText(QStringLiteral("popup_dlg_open_btn_other")));
        ASSERT_EQ(popup.DriveBox().count(), 2);
        EXPECT_EQ(popup.DriveBox().itemText(0), QStringLiteral("CARD_A"));
        EXPECT_FALSE(popup.DriveBox().itemIcon(0).isNull());
        EXPECT_TRUE(popup.OkButton().isEnabled());
        popup.SetPreferred(Root(QStringLiteral("CARD_B")));
        popuptest::WhenModalShown([&](QWidget*) {
            popup.grab().save(OutFile(QStringLiteral("open_popup_two_cards.png")), "PNG");
            QTest::mouseClick(&popup.OkButton(), Qt::LeftButton);
        });
        EXPECT_EQ(popup.exec(), IPopupBase::IdOk);
        EXPECT_EQ(popup.ResultCode(), COpenAll::kDriveChosen);
        EXPECT_EQ(popup.ResultFolder(), Root(QStringLiteral("CARD_B")));
    }
    {
        COpenAll popup(Res(), &watcher);
        popuptest::WhenModalShown([&](QWidget*) { QTest::mouseClick(&popup.OtherButton(), Qt::LeftButton); });
        popup.exec();
        EXPECT_EQ(popup.ResultCode(), COpenAll::kOtherFolder);
    }
    {
        COpenAll popup(Res(), &watcher);
        popuptest::WhenModalShown([&](QWidget*) { QTest::mouseClick(&popup.CancelButton(), Qt::LeftButton); });
        EXPECT_EQ(popup.exec(), IPopupBase::IdCancel);
        EXPECT_EQ(popup.ResultCode(), COpenAll::kCancelled);
        EXPECT_TRUE(popup.ResultFolder().isEmpty());
    }
}

TEST_F(OpenPopup, ACardInsertedWhileOpenIsListedWithinASecondAndOkNeedsALine)
{
    const QString log = m_tmp.filePath(QStringLiteral("messages.log"));
    CDriveWatcher watcher(m_sources);
    COpenAll popup(Res(), &watcher);
    popup.show();
    EXPECT_EQ(popup.DriveBox().count(), 0);
    EXPECT_FALSE(popup.OkButton().isEnabled());

    // OK without a line: the message, and the popup stays open.
    qputenv("KESTREL_MESSAGEBOX_LOG", log.toUtf8());
    popup.SendMsg(ctrlmsg::WM_COMMAND, IPopupBase::kIdOk, 0);
    qunsetenv("KESTREL_MESSAGEBOX_LOG");
    EXPECT_TRUE(popup.isVisible());
    QFile in(log);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(in.readAll()).trimmed(), Res().GetUIText(QStringLiteral("popup_dlg_open_err0")));

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QDir().mkpath(Card(QStringLiteral("CARD_B"))));
    ASSERT_TRUE(WaitFor([&] { return popup.DriveBox().count() == 1; }, 1500));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(popup.OkButton().isEnabled());
    ASSERT_TRUE(QDir().mkpath(Card(QStringLiteral("CARD_A"))));
    ASSERT_TRUE(WaitFor([&] { return popup.DriveBox().count() == 2; }, 1500));
    EXPECT_EQ(popup.DriveBox().currentIndex(), 0) << "a rebuilt list selects its first line";
    EXPECT_EQ(popup.DriveBox().currentText(), QStringLiteral("CARD_A"));
    // Nothing changed: the list is left as it is.
    EXPECT_FALSE(popup.Refresh());
    ASSERT_TRUE(QDir(Card(QStringLiteral("CARD_A"))).removeRecursively());
    ASSERT_TRUE(WaitFor([&] { return popup.DriveBox().count() == 1; }, 1500));
    popup.done(IPopupBase::IdCancel);
}

// ---- The load popup ---------------------------------------------------------

class LoadPopup : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_tmp = new QTemporaryDir;
        ASSERT_TRUE(s_tmp->isValid());
        // Many short one-channel recordings: the load is long enough to be
        // seen half way and to be cancelled in the middle.
        kestrel::cardgen::CardOptions o =
            kestrel::cardgen::ManyRecordingsCard(s_tmp->filePath("big").toStdString(), 5, 1000);
        kestrel::cardgen::CardResult r;
        std::string error;
        ASSERT_TRUE(kestrel::cardgen::GenerateCard(o, &r, &error)) << error;
        s_bigCount = r.recordings;
        o = kestrel::cardgen::SmallTestCard(s_tmp->filePath("small").toStdString(), 6);
        o.container = kestrel::cardgen::Container::AviChannelFiles;
        ASSERT_TRUE(kestrel::cardgen::GenerateCard(o, &r, &error)) << error;
        s_smallCount = r.recordings;
    }
    static void TearDownTestSuite()
    {
        delete s_tmp;
        s_tmp = nullptr;
    }
    static QString Folder(const char* name) { return s_tmp->filePath(QString::fromLatin1(name)); }

    static QTemporaryDir* s_tmp;
    static int s_bigCount;
    static int s_smallCount;
};
QTemporaryDir* LoadPopup::s_tmp = nullptr;
int LoadPopup::s_bigCount = 0;
int LoadPopup::s_smallCount = 0;

TEST_F(LoadPopup, LoadsAFolderAndClosesByItselfWithAFullBar)
{
    CLoadFile popup(Res(), App().PluginManager(), Folder("small"));
    EXPECT_EQ(popup.TemplateId(), 105);
    EXPECT_TRUE(popup.OkButton().isHidden());
    EXPECT_EQ(popup.ProgressBar().geometry(), QRect(12, 60, popup.width() - 24, 28));
    EXPECT_EQ(popup.exec(), IPopupBase::IdOk);
    EXPECT_EQ(popup.Result(), kestrel::jobs::CLoadJob::kLoadEnded) << "the plug-in's load answers 0";
    EXPECT_GE(popup.FileCount(), s_smallCount);
    EXPECT_EQ(popup.ProgressBar().maximum(), popup.FileCount());
    EXPECT_EQ(popup.ProgressBar().value(), popup.FileCount());
    EXPECT_EQ(App().PluginManager()->GetAllDataCount(), s_smallCount);
}

TEST_F(LoadPopup, AFolderNoReaderTakesAndNoPluginGiveTheirResults)
{
    const QString empty = s_tmp->filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    {
        CLoadFile popup(Res(), App().PluginManager(), empty);
        popup.exec();
        EXPECT_EQ(popup.Result(), kestrel::jobs::CLoadJob::kScanFailed);
    }
    {
        CLoadFile popup(Res(), nullptr, empty);
        QElapsedTimer t;
        t.start();
        EXPECT_EQ(popup.exec(), IPopupBase::IdOk);
        EXPECT_LT(t.elapsed(), 1000);
        EXPECT_EQ(popup.Result(), kestrel::jobs::CLoadJob::kNoTarget);
    }
}

TEST_F(LoadPopup, CancelBreaksTheLoadOnceAndClosesWithinASecond)
{
    CLoadFile popup(Res(), App().PluginManager(), Folder("big"));
    QElapsedTimer clock;
    bool halfWayShot = false;
    popuptest::WhenModalShown([&](QWidget*) {
        // Half way: the picture; a little later: Cancel.
        ASSERT_TRUE(WaitFor([&] { return popup.Handled() >= s_bigCount / 2; }, 20000));
        QApplication::processEvents();
        halfWayShot = popup.grab().save(OutFile(QStringLiteral("load_popup_half_way.png")), "PNG");
        EXPECT_GT(popup.ProgressBar().value(), 0);
        EXPECT_LT(popup.ProgressBar().value(), popup.ProgressBar().maximum());
        clock.start();
        QTest::mouseClick(&popup.CancelButton(), Qt::LeftButton);
        QTest::mouseClick(&popup.CancelButton(), Qt::LeftButton);  // a second click changes nothing
    });
    EXPECT_EQ(popup.exec(), IPopupBase::IdCancel);
    EXPECT_LT(clock.elapsed(), 1100);
    EXPECT_TRUE(halfWayShot);
    EXPECT_EQ(popup.Job()->BreakCalls(), 1);
    EXPECT_TRUE(popup.Job()->Finished());
    EXPECT_LT(popup.Handled(), popup.FileCount());
    EXPECT_EQ(popup.Result(), kestrel::jobs::CLoadJob::kLoadEnded);
}

}  // namespace
