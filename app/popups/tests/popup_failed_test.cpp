// The open-failed question: texts, the message's place, answers, and the
// unattended mode that tests and demos rely on.
#include "PopupTestEnv.h"

#include "popups/CPopupFailed.h"
#include "skin/CUIResources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using popuptest::Res;

TEST(PopupFailedTest, ShowsTheQuestionWithNextAndStop)
{
    CPopupFailed popup(Res());
    EXPECT_EQ(popup.TemplateId(), 115);
    EXPECT_EQ(popup.TitleText(), Res().GetUIText(QStringLiteral("popup_dlg_failed")));
    EXPECT_EQ(popup.MessageStatic().GetWindowText(), Res().GetUIText(QStringLiteral("popup_dlg_failed_msg")));
    EXPECT_EQ(popup.OkButton().GetWindowText(), Res().GetUIText(QStringLiteral("popup_dlg_next")));
    EXPECT_EQ(popup.CancelButton().GetWindowText(), Res().GetUIText(QStringLiteral("popup_dlg_stop")));
    EXPECT_FALSE(popup.MessageStatic().GetWindowText().isEmpty());
    EXPECT_FALSE(popup.OkButton().GetWindowText().isEmpty());
}

TEST(PopupFailedTest, TheMessageStaysInsideThePopupAboveTheButtons)
{
    CPopupFailed popup(Res());
    popup.show();
    for (const QSize size : {popup.size(), QSize(300, 150), QSize(640, 360)}) {
        popup.resize(size);
        const QRect msg = popup.MessageStatic().geometry();
        EXPECT_TRUE(popup.rect().contains(msg)) << size.width() << "x" << size.height();
        EXPECT_LT(msg.bottom(), popup.OkButton().geometry().top());
        EXPECT_GT(msg.width(), 0);
        EXPECT_GT(msg.height(), 0);
    }
}

TEST(PopupFailedTest, NextGoesOnAndStopStops)
{
    {
        CPopupFailed popup(Res());
        popuptest::WhenModalShown([&popup](QWidget*) { QTest::mouseClick(&popup.OkButton(), Qt::LeftButton); });
        EXPECT_EQ(popup.exec(), 1);
    }
    {
        CPopupFailed popup(Res());
        popuptest::WhenModalShown([&popup](QWidget*) { QTest::mouseClick(&popup.CancelButton(), Qt::LeftButton); });
        EXPECT_EQ(popup.exec(), 2);
    }
}

class UnattendedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_log = m_dir.filePath(QStringLiteral("boxes.log"));
        qputenv("KESTREL_MESSAGEBOX_LOG", m_log.toUtf8());
    }
    void TearDown() override
    {
        qunsetenv("KESTREL_MESSAGEBOX_LOG");
        qunsetenv("KESTREL_POPUP_ANSWER");
    }
    QString Log() const
    {
        QFile f(m_log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    QString m_log;
};

TEST_F(UnattendedTest, AnswersWithoutShowingAndLogsTheMessage)
{
    CPopupFailed first(Res());
    EXPECT_EQ(first.exec(), 1);  // no answer given: go on
    EXPECT_FALSE(first.isVisible());
    const QString message = Res().GetUIText(QStringLiteral("popup_dlg_failed_msg"));
    EXPECT_EQ(Log(), message + u'\n');

    qputenv("KESTREL_POPUP_ANSWER", "cancel");
    CPopupFailed second(Res());
    EXPECT_EQ(second.exec(), 2);
    EXPECT_EQ(second.result(), 2);
    qputenv("KESTREL_POPUP_ANSWER", "OK");
    CPopupFailed third(Res());
    EXPECT_EQ(third.exec(), 1);
    EXPECT_EQ(Log(), message + u'\n' + message + u'\n' + message + u'\n');
}

}  // namespace
