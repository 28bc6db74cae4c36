// Title-bar dragging of a frameless window. The offscreen platform has no
// window system move, so these runs take the path where the window follows
// the pointer itself.
#include "util/CTitleBarDrag.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWidget>

namespace {

QMouseEvent Mouse(QEvent::Type type, QWidget& w, QPoint local, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF global = w.mapToGlobal(QPointF(local));
    return QMouseEvent(type, QPointF(local), QPointF(local), global, button, held, Qt::NoModifier);
}

class TitleBarDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 300, 200);
        window.show();
    }
    bool Press(QPoint at, bool inArea, Qt::MouseButton button = Qt::LeftButton)
    {
        const QMouseEvent e = Mouse(QEvent::MouseButtonPress, window, at, button, button);
        return drag.Press(window, e, inArea);
    }
    bool MoveBy(QPoint from, QPoint by, Qt::MouseButtons held = Qt::LeftButton)
    {
        const QMouseEvent e = Mouse(QEvent::MouseMove, window, from + by, Qt::NoButton, held);
        return drag.Move(window, e);
    }
    bool Release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        const QMouseEvent e = Mouse(QEvent::MouseButtonRelease, window, at, button, Qt::NoButton);
        return drag.Release(e);
    }

    QWidget window;
    CTitleBarDrag drag;
};

TEST_F(TitleBarDragTest, APressInTheAreaLetsTheWindowFollowThePointerUntilRelease)
{
    const QPoint start = window.pos();
    ASSERT_TRUE(Press({20, 10}, true));
    EXPECT_TRUE(drag.Following());
    EXPECT_TRUE(MoveBy({20, 10}, {30, 15}));
    EXPECT_EQ(window.pos(), start + QPoint(30, 15));
    EXPECT_TRUE(Release({50, 25}));
    EXPECT_FALSE(drag.Following());

    const QPoint after = window.pos();
    EXPECT_FALSE(MoveBy({20, 10}, {40, 40}));
    EXPECT_EQ(window.pos(), after);
}

TEST_F(TitleBarDragTest, PressesOutsideTheAreaOrWithAnotherButtonAreLeftToTheWindow)
{
    const QPoint start = window.pos();
    EXPECT_FALSE(Press({20, 150}, false));
    EXPECT_FALSE(MoveBy({20, 150}, {30, 30}));
    EXPECT_FALSE(Press({20, 10}, true, Qt::RightButton));
    EXPECT_FALSE(MoveBy({20, 10}, {30, 30}, Qt::RightButton));
    EXPECT_FALSE(Release({20, 10}));
    EXPECT_EQ(window.pos(), start);
}

TEST_F(TitleBarDragTest, AMoveWithTheButtonUpEndsALostDrag)
{
    ASSERT_TRUE(Press({20, 10}, true));
    const QPoint start = window.pos();
    EXPECT_FALSE(MoveBy({20, 10}, {25, 25}, Qt::NoButton));  // the release went elsewhere
    EXPECT_FALSE(drag.Following());
    EXPECT_EQ(window.pos(), start);
}

TEST_F(TitleBarDragTest, AChildForwardsItsEventsAndTheTopLevelWindowMoves)
{
    QWidget* bar = new QWidget(&window);
    bar->setGeometry(0, 0, 300, 30);
    const QPoint start = window.pos();
    const QMouseEvent press = Mouse(QEvent::MouseButtonPress, *bar, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(drag.Press(*bar, press, true));
    const QMouseEvent move = Mouse(QEvent::MouseMove, *bar, {15, 25}, Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(drag.Move(*bar, move));
    EXPECT_EQ(window.pos(), start + QPoint(10, 20));
    EXPECT_EQ(bar->pos(), QPoint(0, 0));
}

}  // namespace
