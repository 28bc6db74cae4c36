// A display in a 320x240 owner window on the offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include <QWidget>

#include "TestPictures.h"
#include "vidout/IDisplay.h"

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        owner = std::make_unique<QWidget>();
        owner->resize(320, 240);
        display.reset(IDisplay::CreateDisplay(0, owner.get()));
        ASSERT_TRUE(display);
        ASSERT_EQ(display->CreateScreen(owner.get(), 5), 0);
        display->Widget()->setGeometry(0, 0, 320, 240);
        owner->show();
    }
    void TearDown() override
    {
        display.reset();
        owner.reset();
    }
    int Draw(const YuvPicture& p)
    {
        return display->Draw(0, p.data, p.width, p.height, 5, p.linesize);
    }
    QImage Grab() { return display->Widget()->grab().toImage(); }

    std::unique_ptr<QWidget> owner;
    std::unique_ptr<IDisplay> display;
};
