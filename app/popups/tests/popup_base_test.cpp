// The common popup frame: button placement, answers, dragging by the title
// bar and the title from the skin and language files.
#include "PopupTestEnv.h"

#include "popups/IPopupBase.h"
#include "skin/CUIResources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

namespace {

using popuptest::Res;

const QString kKey = QStringLiteral("popup_dlg_failed");

class TestPopup : public IPopupBase {
public:
    explicit TestPopup(const QString& key = kKey, bool withCancel = true, const CUIResources& res = Res())
        : IPopupBase(100, res)
    {
        if (!withCancel)
            CancelButton().hide();
        ApplyPopupSkin(key);
    }
};

QRect ButtonAt(int x, int y) { return QRect(x, y, 100, 30); }

TEST(PopupBaseTest, OkAndCancelSitInTheLowerRightCorner)
{
    TestPopup popup;
    popup.show();
    popup.resize(500, 300);
    EXPECT_EQ(popup.CancelButton().geometry(), ButtonAt(390, 260));
    EXPECT_EQ(popup.OkButton().geometry(), ButtonAt(280, 260));

    popup.SetCancelVisible(false);
    EXPECT_EQ(popup.OkButton().geometry(), ButtonAt(390, 260));
    popup.SetCancelVisible(true);
    EXPECT_EQ(popup.OkButton().geometry(), ButtonAt(280, 260));
}

TEST(PopupBaseTest, APopupWithoutCancelShowsOkAloneAtTheCorner)
{
    TestPopup popup(kKey, false);
    popup.show();
    QApplication::processEvents();
    const int w = popup.width(), h = popup.height();
    EXPECT_EQ(popup.OkButton().geometry(), ButtonAt(w - 110, h - 40));
    EXPECT_FALSE(popup.CancelButton().isVisible());
    EXPECT_TRUE(popup.OkButton().isVisible());
}

TEST(PopupBaseTest, TitleFontAndSizeComeFromTheTitleKey)
{
    TestPopup popup;
    EXPECT_EQ(popup.TitleText(), Res().GetUIText(kKey));
    EXPECT_FALSE(popup.TitleText().isEmpty()) << "the language file lacks " << kKey.toStdString();
    const int size = Res().GetUIFontSize(kKey);
    EXPECT_EQ(popup.TitleFontSize(), size > 0 ? size : 14);
    if (!Res().FontName().isEmpty()) {
        EXPECT_EQ(popup.TitleFontFace(), Res().FontName());
    }
    const _WIN_POS* pos = Res().GetUIPos(kKey);
    if (pos->cx > 0 && pos->cy > 0) {
        EXPECT_EQ(popup.size(), QSize(pos->cx, pos->cy));
    }
    EXPECT_EQ(popup.OkButton().GetWindowText(), Res().GetUIText(QStringLiteral("common_ok")));
    EXPECT_EQ(popup.CancelButton().GetWindowText(), Res().GetUIText(QStringLiteral("common_cancel")));

    // The popup is centred on the 1920 x 1080 screen when it has no owner.
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(popup.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(popup.geometry().center().y() - screen.center().y()), 1);
}

TEST(PopupBaseTest, AKeyMissingEverywhereLeavesAUsablePopup)
{
    TestPopup popup(QStringLiteral("no_such_popup_key"));
    EXPECT_TRUE(popup.TitleText().isEmpty());
    EXPECT_EQ(popup.TitleFontSize(), 14);
    EXPECT_GT(popup.width(), 220);
    EXPECT_GT(popup.height(), 40);
    EXPECT_EQ(popup.OkButton().geometry(), ButtonAt(popup.width() - 220, popup.height() - 40));
    EXPECT_TRUE(popup.rect().contains(popup.ExitButton().geometry()));
    EXPECT_FALSE(popup.TitleBarRect().isEmpty());
}

// A popup reads the look-ups it was built with, not the application's.
TEST(PopupBaseTest, TextsAndFontsComeFromTheLookUpsHandedOver)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile lang(dir.filePath(QStringLiteral("lang_xx.ini")));
    ASSERT_TRUE(lang.open(QIODevice::WriteOnly));
    lang.write("[Language Info]\nLanguageID=0x0407\n[Font Info]\nFontName=Other Face\n"
               "[AppPopup]\npopup_dlg_failed=21,Other title\ncommon_ok=12,Yes\ncommon_cancel=12,No\n");
    lang.close();
    CUIResources own;
    own.LoadLanguage(lang.fileName());

    TestPopup popup(kKey, true, own);
    EXPECT_EQ(popup.TitleText(), QStringLiteral("Other title"));
    EXPECT_EQ(popup.TitleFontSize(), 21);
    EXPECT_EQ(popup.TitleFontFace(), QStringLiteral("Other Face"));
    EXPECT_EQ(popup.OkButton().GetWindowText(), QStringLiteral("Yes"));
    EXPECT_EQ(popup.CancelButton().GetWindowText(), QStringLiteral("No"));
    // Without a skin it keeps its default frame.
    EXPECT_EQ(popup.OkButton().geometry(), ButtonAt(popup.width() - 220, popup.height() - 40));
    EXPECT_FALSE(popup.TitleBarRect().isEmpty());
}

TEST(PopupBaseTest, TheTitleIsPaintedInItsRectangle)
{
    TestPopup popup;
    popup.show();
    QApplication::processEvents();
    const QImage with = popup.grab().toImage();
    popup.SetTitleText(QString());
    const QImage without = popup.grab().toImage();
    ASSERT_EQ(with.size(), without.size());
    // Only the title differs, and it lies in the upper part of the popup.
    int differing = 0, lowest = -1;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ++differing;
                lowest = y;
            }
    EXPECT_GT(differing, 20);
    EXPECT_LT(lowest, popup.height() / 2);
}

// Runs the popup modally and answers with `answer` once it is shown.
int RunAndAnswer(IPopupBase& popup, std::function<void(IPopupBase&)> answer)
{
    popuptest::WhenModalShown([&popup, answer](QWidget*) { answer(popup); });
    return popup.exec();
}

TEST(PopupBaseTest, OkGivesOneAndCancelExitAndEscapeGiveTwo)
{
    {
        TestPopup popup;
        EXPECT_EQ(RunAndAnswer(popup, [](IPopupBase& p) { QTest::mouseClick(&p.OkButton(), Qt::LeftButton); }), 1);
    }
    {
        TestPopup popup;
        EXPECT_EQ(RunAndAnswer(popup, [](IPopupBase& p) { QTest::mouseClick(&p.CancelButton(), Qt::LeftButton); }), 2);
    }
    {
        TestPopup popup;
        EXPECT_EQ(RunAndAnswer(popup, [](IPopupBase& p) { QTest::mouseClick(&p.ExitButton(), Qt::LeftButton); }), 2);
    }
    {
        TestPopup popup;
        EXPECT_EQ(RunAndAnswer(popup, [](IPopupBase& p) { QTest::keyClick(&p, Qt::Key_Escape); }), 2);
    }
    {
        TestPopup popup;
        EXPECT_EQ(RunAndAnswer(popup, [](IPopupBase& p) { QTest::keyClick(&p, Qt::Key_Return); }), 1);
    }
}

TEST(PopupBaseTest, EnterDoesNothingWhileOkIsDisabled)
{
    TestPopup popup;
    popup.OkButton().setEnabled(false);
    const int result = RunAndAnswer(popup, [](IPopupBase& p) {
        QTest::keyClick(&p, Qt::Key_Return);
        EXPECT_TRUE(p.isVisible());
        QTest::mouseClick(&p.OkButton(), Qt::LeftButton);  // disabled: no answer either
        EXPECT_TRUE(p.isVisible());
        p.close();
    });
    EXPECT_EQ(result, 2);
}

// Presses at `from` (popup coordinates), moves by `by` and releases.
void Drag(QWidget& w, QPoint from, QPoint by)
{
    const QPoint global = w.mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(from), QPointF(global), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + by), QPointF(global + by), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    const QPoint now = w.mapFromGlobal(global + by);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(now), QPointF(global + by), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
    QApplication::processEvents();
}

TEST(PopupBaseTest, DraggingInsideTheTitleBarMovesThePopupElsewhereNot)
{
    TestPopup popup;
    popup.show();
    QApplication::processEvents();
    const QRect bar = popup.TitleBarRect();
    ASSERT_FALSE(bar.isEmpty());
    const QPoint start = popup.pos();

    Drag(popup, QPoint(bar.left() + 5, bar.center().y()), QPoint(30, 20));
    EXPECT_EQ(popup.pos(), start + QPoint(30, 20));

    const QPoint below(popup.width() / 2, bar.bottom() + (popup.height() - bar.bottom()) / 3);
    ASSERT_FALSE(bar.contains(below));
    ASSERT_EQ(popup.childAt(below), nullptr);
    Drag(popup, below, QPoint(40, 40));
    EXPECT_EQ(popup.pos(), start + QPoint(30, 20));
}

}  // namespace
