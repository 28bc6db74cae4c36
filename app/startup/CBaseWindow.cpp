#include "startup/CBaseWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

CBaseWindow::CBaseWindow(const QImage* background, QSize clientSize, const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Window)
{
    if (background)
        m_background = *background;
    setWindowTitle(title);
    setFixedSize(clientSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CBaseWindow::PlaceOnScreen()
{
    // Move to the origin at the chosen size, then centre on the screen.
    move(0, 0);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + std::max(0, (area.width() - width()) / 2),
             area.y() + std::max(0, (area.height() - height()) / 2));
    }
}

void CBaseWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    PlaceOnScreen();

    const QString grabFile = qEnvironmentVariable("KESTREL_GRAB_MAIN");
    if (!grabFile.isEmpty())
        QTimer::singleShot(0, this, [this, grabFile] { grab().save(grabFile, "PNG"); });
    bool ok = false;
    const int closeMs = qEnvironmentVariableIntValue("KESTREL_AUTOCLOSE_MS", &ok);
    if (ok && closeMs >= 0)
        QTimer::singleShot(closeMs, this, &QDialog::reject);
}

void CBaseWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_background.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(rect(), m_background);
}
