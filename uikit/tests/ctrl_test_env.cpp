// Creates the one QApplication of the control tests on the offscreen platform.
#include "ctrl_test_env.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "uikit_ctrl_tests";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace

QImage CtrlSolid(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(c);
    return img;
}

QColor CtrlFrameColour(int i) {
    static const QColor colours[] = {QColor(200, 0, 0), QColor(0, 200, 0), QColor(0, 0, 200),
                                     QColor(200, 200, 0), QColor(0, 200, 200), QColor(200, 0, 200)};
    return colours[i % 6];
}

QImage CtrlStrip(int frames, int fw, int fh) {
    QImage img(frames * fw, fh, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < frames; ++i)
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) img.setPixelColor(i * fw + x, y, CtrlFrameColour(i));
    return img;
}

void CtrlShow(QWidget* w) {
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

QColor CtrlPixel(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

void CtrlClickAt(QWidget* w, QPoint pt) {
    QWidget* target = w->childAt(pt);
    if (!target) target = w;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(w, pt));
}

void CtrlLeave(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}
