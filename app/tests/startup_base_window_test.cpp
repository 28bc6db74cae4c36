// The stand-in main window: the skin background at the chosen size,
// closed by Escape.
#include "startup/CBaseWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

namespace {

TEST(BaseWindowTest, ShowsTheBackgroundAtTheChosenSizeAndClosesOnEscape)
{
    QImage background(192, 108, QImage::Format_ARGB32);
    background.fill(QColor(10, 200, 30));
    CBaseWindow window(&background, QSize(1280, 720), QStringLiteral("Kestrel (64bit)"));
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(1280, 720));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kestrel (64bit)"));
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(1280, 720));
    EXPECT_EQ(QColor(shot.pixel(640, 360)), QColor(10, 200, 30));  // stretched over the whole window
    EXPECT_EQ(QColor(shot.pixel(1279, 719)), QColor(10, 200, 30));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST(BaseWindowTest, WithoutABackgroundItIsBlack)
{
    CBaseWindow window(nullptr, QSize(1440, 810), QString());
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(QColor(window.grab().toImage().pixel(10, 10)), QColor(Qt::black));
}

}  // namespace
