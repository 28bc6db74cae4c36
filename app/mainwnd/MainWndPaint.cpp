// CKestrelDlg: the skin background, composed off screen from five layers
// and the title logo; while minimised, the window icon.
#include "CKestrelDlg.h"

#include "controls/CCtrlGDIpString.h"
#include "skin/SkinScale.h"
#include "startup/CKestrelApp.h"

#include <QIcon>
#include <QPaintEvent>
#include <QPainter>

namespace skin = kestrel::skin;

namespace {

// Painted in this order, each into its scaled skin rectangle.
const char* const kBackgroundLayers[] = {"base_window", "titlebar", "playctrl", "gsensor", "menu"};

constexpr int kMinimisedIconSize = 32;

}  // namespace

void CKestrelDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (isMinimized()) {
        const QIcon icon = windowIcon();
        const QRect r(QPoint((width() - kMinimisedIconSize) / 2, (height() - kMinimisedIconSize) / 2),
                      QSize(kMinimisedIconSize, kMinimisedIconSize));
        icon.paint(&p, r);
        return;
    }
    PaintBackground(p);
}

void CKestrelDlg::PaintBackground(QPainter& p)
{
    const int w = width(), h = height();
    if (w <= 0 || h <= 0)
        return;
    QImage canvas(w, h, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    {
        QPainter q(&canvas);
        q.setRenderHint(QPainter::SmoothPixmapTransform);
        q.setRenderHint(QPainter::Antialiasing);
        const double s = skin::UniformScale(w, h, m_reference);
        for (const char* layer : kBackgroundLayers) {
            const QString key = QString::fromLatin1(layer);
            const QImage* img = m_res->GetUIImage(key);
            const QRect dst = Scaled(key, w, h);
            if (img && !img->isNull() && !dst.isEmpty())
                CCtrlGDIpString::DrawByWinPos(q, *img, dst, Pos(key), s);
        }
    }
    p.drawImage(0, 0, canvas);

    // The logo keeps its own pixel size; only its place scales.
    const QString logoKey = QStringLiteral("title_logo");
    const QImage* logo = m_res->GetUIImage(logoKey);
    if (logo && !logo->isNull())
        p.drawImage(Scaled(logoKey, w, h).topLeft(), *logo);
}
