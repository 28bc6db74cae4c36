// A display that records what the windows ask of it and whose recovery
// answers the test chooses. Its screen is a plain child widget, so sizes and
// placement are observable like those of the real display.
#pragma once

#include "vidout/IDisplay.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>

class FakeDisplay : public IDisplay {
public:
    explicit FakeDisplay(bool* deleted = nullptr, int createScreenResult = 0)
        : m_deleted(deleted), m_createScreenResult(createScreenResult)
    {
    }
    ~FakeDisplay() override
    {
        delete widget.data();
        if (m_deleted)
            *m_deleted = true;
    }

    int CreateScreen(QWidget* owner, int screenMode) override
    {
        calls << QStringLiteral("CreateScreen(%1)").arg(screenMode);
        if (m_createScreenResult < 0)
            return m_createScreenResult;
        widget = new QWidget(owner);
        widget->setGeometry(owner->rect());
        return 0;
    }
    QWidget* Widget() const override { return widget.data(); }

    void SetLogo(int index, const QImage& bitmap) override
    {
        calls << QStringLiteral("SetLogo(%1)").arg(index);
        if (index >= 0 && index < int(logos.size()))
            logos[size_t(index)] = bitmap;
    }
    void SelectLogo(int index) override { calls << QStringLiteral("SelectLogo(%1)").arg(index); }
    void Clear(int repaint) override
    {
        calls << QStringLiteral("Clear(%1)").arg(repaint);
        ++clears;
    }

    int NeedsRecovery() override { return needsRecovery; }
    void MarkRecovery(int m) override
    {
        calls << QStringLiteral("MarkRecovery(%1)").arg(m);
        marked = m;
    }
    int Recover() override
    {
        ++recoverAttempts;
        if (recoverSucceeds)
            needsRecovery = 0;
        return recoverSucceeds ? 1 : 0;
    }

    void SetLabel(const QString& face, int size, const QString& text, uint32_t colour) override
    {
        calls << QStringLiteral("SetLabel");
        labelFace = face;
        labelSize = size;
        label = text;
        labelColour = colour;
    }
    void SetLabelPlacement(int h, int v) override { calls << QStringLiteral("SetLabelPlacement(%1,%2)").arg(h).arg(v); }

    int Draw(int, uint8_t* const*, int, int, int, const int*) override { return 0; }
    void SetFlip(int, int) override {}
    void SetBrightness(int) override {}
    void SetContrast(int) override {}
    void SetPipPosition(int) override {}
    void SetPipShow(int) override {}
    void SetArea(int, const QRect&, const QRect&) override {}

    QStringList calls;
    QPointer<QWidget> widget;
    std::array<QImage, 3> logos;
    QString labelFace;
    int labelSize = -1;
    QString label;
    uint32_t labelColour = 0;
    int clears = 0;
    int needsRecovery = 0;
    bool recoverSucceeds = false;
    int recoverAttempts = 0;
    int marked = -1;

private:
    bool* m_deleted;
    int m_createScreenResult;
};
