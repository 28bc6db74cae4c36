#include "DisplayPanel.h"

#include <QResizeEvent>

DisplayPanel::DisplayPanel(const QString& label, QWidget* parent) : QWidget(parent)
{
    setMinimumSize(160, 90);
    m_display.reset(IDisplay::CreateDisplay(0, this));
    if (m_display && m_display->CreateScreen(this, 5) < 0)
        m_display.reset();
    if (m_display) {
        m_display->SetLabel(QString(), 16, label, 0xFFFFFF);
        m_display->SetLabelPlacement(0, -1);
    }
}

DisplayPanel::~DisplayPanel() = default;

void DisplayPanel::resizeEvent(QResizeEvent* event)
{
    if (m_display && m_display->Widget() && event->size().width() > 0 && event->size().height() > 0)
        m_display->Widget()->setGeometry(rect());
    QWidget::resizeEvent(event);
}
