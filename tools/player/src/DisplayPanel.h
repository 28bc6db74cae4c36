// A plain panel holding one display; the display's widget always fills it.
#pragma once

#include <memory>

#include <QWidget>

#include "vidout/IDisplay.h"

class DisplayPanel : public QWidget {
public:
    DisplayPanel(const QString& label, QWidget* parent);
    ~DisplayPanel() override;

    // Null when the display could not be made.
    IDisplay* Display() const { return m_display.get(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<IDisplay> m_display;
};
