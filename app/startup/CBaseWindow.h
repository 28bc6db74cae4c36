// The main window until the full player window exists: the skin's
// "base_window" picture stretched over a window of the chosen size class,
// closed by Escape or the window manager.
//
// Unattended runs: KESTREL_GRAB_MAIN=<file.png> saves what the window shows
// once it is up; KESTREL_AUTOCLOSE_MS=<n> closes it after n milliseconds.
#pragma once

#include <QDialog>
#include <QImage>

class CBaseWindow : public QDialog {
    Q_OBJECT
public:
    CBaseWindow(const QImage* background, QSize clientSize, const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void PlaceOnScreen();

    QImage m_background;
    bool m_placed = false;
};
