// CWndGSensor: the child window under the pictures that draws the three
// G-sensor axes of the playing recording over its whole length, with a
// cursor at the play position. The curves are drawn once per record or
// range change into an image at skin resolution; a repaint only scales
// that image (cached per window size) and draws the cursor, so playback
// repaints stay cheap. It also tells the read-outs which drawn sample
// belongs to a play position. User-interface thread only.
#pragma once

#include "GSensorGraph.h"
#include "views/IGSensorView.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

class CUIResources;

class CWndGSensor : public QWidget, public kestrel::views::IGSensorView {
    Q_OBJECT
public:
    // `resources`: skin look-ups, not owned, must outlive the panel.
    // `offsetsMilliG`: calibration added to X, Y and Z (thousandths of g).
    CWndGSensor(QWidget* parent, const CUIResources& resources, std::array<int, 3> offsetsMilliG);
    ~CWndGSensor() override;

    // Reads the skin record and pens and draws the empty background. False
    // when the skin has no graph record; the panel then stays empty.
    bool Create();

    // IGSensorView.
    void SetRecord(CRecFileInfo* rec, const _TAG_STREAM_INFO& stream, int range) override;
    void SetCursor(int ms) override;
    void Reset() override;

    // A new full scale from the zoom buttons: the curves of the shown
    // record are drawn again.
    void SetRange(int range);
    int Range() const { return m_scale.range; }

    // The drawn sample read out at a play position: the only one when one
    // is drawn, the last at or before the position when more are.
    const CUserDataInfo* SampleAt(int ms) const;
    const std::vector<const CUserDataInfo*>& DrawnSamples() const { return m_drawn; }
    // The graph at skin resolution (background and curves, no cursor).
    const QImage& GraphImage() const { return m_graph; }
    int Cursor() const { return m_cursorMs; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Background, and the curves unless `backgroundOnly`.
    void BuildGraph(bool backgroundOnly);

    const CUIResources& m_res;
    CRecFileInfo* m_rec = nullptr;
    kestrel::gsensor::GraphScale m_scale;
    kestrel::gsensor::GraphPens m_pens;
    QColor m_cursorColour;
    QImage m_graph;
    QPixmap m_scaled;  // m_graph at the window's size; empty when stale
    std::vector<const CUserDataInfo*> m_drawn;
    int m_cursorMs = -1;
};
