// The display object behind IDisplay: keeps the settings, owns the child
// widget and hands converted pictures to it.
#include "vidout/IDisplay.h"

#include <algorithm>
#include <atomic>

#include <QObject>
#include <QPointer>

#include "DisplayWidget.h"
#include "RepaintNotifier.h"

namespace {

class Display final : public IDisplay {
public:
    explicit Display(QWidget* owner) : m_owner(owner) {}
    ~Display() override
    {
        // The widget may already be gone with its parent.
        delete m_widget.data();
    }

    int CreateScreen(QWidget* owner, int screenMode) override
    {
        QWidget* parent = owner ? owner : m_owner.data();
        if (!parent || m_widget)
            return -1;
        m_screenMode = screenMode;
        m_widget = new DisplayWidget(&m_state, parent);
        m_notifier.SetWidget(m_widget);
        m_widget->setGeometry(parent->rect());
        m_widget->show();
        return 0;
    }
    QWidget* Widget() const override { return m_widget.data(); }

    void SetLogo(int index, const QImage& bitmap) override
    {
        if (index < 0 || index >= int(m_state.logos.size()))
            return;
        m_state.logos[size_t(index)] = bitmap;
        Repaint();
    }
    void SelectLogo(int index) override
    {
        m_state.logo = index;
        Repaint();
    }

    void Clear(int repaint) override
    {
        m_state.picture->Clear();
        if (repaint)
            Repaint();
    }

    int NeedsRecovery() override { return m_state.picture->Failed() ? 1 : 0; }
    void MarkRecovery(int marked) override { m_recoveryMarked = marked != 0; }
    int Recover() override
    {
        m_state.picture->Recover();
        return 1;
    }

    void SetLabel(const QString& fontFace, int fontSize, const QString& text, uint32_t colour) override
    {
        m_state.labelFace = fontFace;
        m_state.labelSize = fontSize;
        m_state.label = text;
        m_state.labelColour = QColor::fromRgb(colour & 0xFFFFFFu);
        Repaint();
    }
    void SetLabelPlacement(int horizontal, int vertical) override
    {
        m_state.labelHorizontal = horizontal;
        m_state.labelVertical = vertical;
        Repaint();
    }

    int Draw(int, uint8_t* const data[8], int width, int height, int, const int linesize[8]) override
    {
        if (m_state.picture->Convert(data, linesize, width, height) != 0)
            return -1;
        m_notifier.Request();
        return 0;
    }

    void SetFlip(int flip, int mask) override
    {
        const int bits = mask == -1 ? 3 : (mask & 3);
        m_state.flip = (m_state.flip & ~bits) | (flip & bits);
        Repaint();
    }
    void SetBrightness(int value) override
    {
        m_brightness = std::clamp(value, 0, 100);
        m_state.picture->SetAdjustments(m_brightness, m_contrast);
    }
    void SetContrast(int value) override
    {
        m_contrast = std::clamp(value, 0, 100);
        m_state.picture->SetAdjustments(m_brightness, m_contrast);
    }
    void SetPipPosition(int position) override
    {
        m_state.pipPosition = position;
        Repaint();
    }
    void SetPipShow(int show) override
    {
        m_state.pipShow = show;
        Repaint();
    }

    void SetArea(int flags, const QRect& source, const QRect& target) override
    {
        if (flags & kAreaReset)
            m_state.zoom.Reset();
        m_state.target = target.normalized();
        if (!source.isEmpty()) {
            if (m_widget)
                m_widget->SyncPicture();
            m_state.zoom.SetView(source);
        }
        Repaint();
    }

private:
    void Repaint()
    {
        if (m_widget)
            m_widget->update();
    }

    QPointer<QWidget> m_owner;
    QPointer<DisplayWidget> m_widget;
    DisplayState m_state;
    std::atomic<bool> m_updatePending{false};
    RepaintNotifier m_notifier{m_updatePending};  // lives on the UI thread
    int m_screenMode = 0;
    bool m_recoveryMarked = false;
    int m_brightness = 50;
    int m_contrast = 50;
};

}  // namespace

IDisplay* IDisplay::CreateDisplay(int, QWidget* owner)
{
    return new Display(owner);
}
