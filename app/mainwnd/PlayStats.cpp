#include "PlayStats.h"

#include "vidout/IDisplay.h"

#include <QEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

#include <chrono>

namespace kestrel::mainwnd {

// Forwards everything to the real display and counts the pictures handed
// over; Draw runs on the engine thread, hence the atomic counter.
namespace {

int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

class CPlayStats::CountingDisplay : public IDisplay {
public:
    CountingDisplay(IDisplay* inner, std::atomic<int>& delivered, std::atomic<int64_t>& firstNs)
        : m_inner(inner), m_delivered(delivered), m_firstNs(firstNs)
    {
    }

    int CreateScreen(QWidget* owner, int mode) override { return m_inner->CreateScreen(owner, mode); }
    QWidget* Widget() const override { return m_inner->Widget(); }
    void SetLogo(int index, const QImage& bitmap) override { m_inner->SetLogo(index, bitmap); }
    void SelectLogo(int index) override { m_inner->SelectLogo(index); }
    void Clear(int repaint) override { m_inner->Clear(repaint); }
    int NeedsRecovery() override { return m_inner->NeedsRecovery(); }
    void MarkRecovery(int marked) override { m_inner->MarkRecovery(marked); }
    int Recover() override { return m_inner->Recover(); }
    void SetLabel(const QString& face, int size, const QString& text, uint32_t colour) override
    {
        m_inner->SetLabel(face, size, text, colour);
    }
    void SetLabelPlacement(int h, int v) override { m_inner->SetLabelPlacement(h, v); }
    int Draw(int reserved, uint8_t* const data[8], int width, int height, int setting,
             const int linesize[8]) override
    {
        m_delivered.fetch_add(1, std::memory_order_relaxed);
        int64_t none = 0;
        m_firstNs.compare_exchange_strong(none, NowNs());
        return m_inner->Draw(reserved, data, width, height, setting, linesize);
    }
    void SetFlip(int flip, int mask) override { m_inner->SetFlip(flip, mask); }
    void SetBrightness(int value) override { m_inner->SetBrightness(value); }
    void SetContrast(int value) override { m_inner->SetContrast(value); }
    void SetPipPosition(int position) override { m_inner->SetPipPosition(position); }
    void SetPipShow(int show) override { m_inner->SetPipShow(show); }
    void SetArea(int flags, const QRect& source, const QRect& target) override
    {
        m_inner->SetArea(flags, source, target);
    }

private:
    IDisplay* m_inner;
    std::atomic<int>& m_delivered;
    std::atomic<int64_t>& m_firstNs;
};

std::unique_ptr<CPlayStats> CPlayStats::FromEnvironment()
{
    const QString file = qEnvironmentVariable("KESTREL_PLAY_STATS");
    if (file.isEmpty())
        return nullptr;
    return std::make_unique<CPlayStats>(file);
}

class CPlayStats::StateTap final : public views::IRecordListView {
public:
    StateTap(views::IRecordListView* inner, CPlayStats& stats) : m_inner(inner), m_stats(stats) {}

    int PlayingRow() const override { return m_inner->PlayingRow(); }
    int SelectedRow() const override { return m_inner->SelectedRow(); }
    void MarkPlayingRow(int row) override { m_inner->MarkPlayingRow(row); }
    void ClearPlayingRow() override { m_inner->ClearPlayingRow(); }
    void SelectRow(int row) override { m_inner->SelectRow(row); }
    void ShowPlayStatus(bool playing) override { m_inner->ShowPlayStatus(playing); }
    int CheckedRowCount() const override { return m_inner->CheckedRowCount(); }
    void SetListState(int state) override
    {
        // The flow tells the list every play state: the timing hooks in here.
        m_stats.OnPlayState(state);
        m_inner->SetListState(state);
    }

private:
    views::IRecordListView* m_inner;
    CPlayStats& m_stats;
};

CPlayStats::CPlayStats(QString file) : m_file(std::move(file)) {}

CPlayStats::~CPlayStats()
{
    for (QWidget* w : m_watched)
        if (w)
            w->removeEventFilter(this);
}

views::IRecordListView* CPlayStats::WrapList(views::IRecordListView* list)
{
    if (!list)
        return nullptr;
    m_listTap = std::make_unique<StateTap>(list, *this);
    return m_listTap.get();
}

IDisplay* CPlayStats::Wrap(int slot, IDisplay* display)
{
    if (!display || slot < 0 || slot >= kSlots)
        return display;
    if (!m_wrappers[size_t(slot)])
        m_wrappers[size_t(slot)] = std::make_unique<CountingDisplay>(display, m_delivered[size_t(slot)], m_firstPictureNs);
    return m_wrappers[size_t(slot)].get();
}

void CPlayStats::WatchPaints(int slot, QWidget* widget)
{
    if (!widget || slot < 0 || slot >= kSlots)
        return;
    m_watched[size_t(slot)] = widget;
    widget->installEventFilter(this);
    // The filter must not outlive its widget's pointer.
    connect(widget, &QObject::destroyed, this, [this, slot] { m_watched[size_t(slot)] = nullptr; });
}

bool CPlayStats::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Paint) {
        for (int i = 0; i < kSlots; ++i)
            if (m_watched[size_t(i)] == watched)
                ++m_painted[size_t(i)];
    }
    return QObject::eventFilter(watched, e);
}

void CPlayStats::OnPlayState(int state)
{
    if (state == 2 && !m_playing.isValid()) {
        m_playing.start();
        if (m_playStartNs == 0)
            m_playStartNs = NowNs();
    } else if (state != 2 && m_playing.isValid()) {
        m_playedMs += m_playing.elapsed();
        m_playing.invalidate();
    }
}

int CPlayStats::Delivered(int slot) const
{
    return slot >= 0 && slot < kSlots ? m_delivered[size_t(slot)].load() : 0;
}

int CPlayStats::Painted(int slot) const
{
    return slot >= 0 && slot < kSlots ? m_painted[size_t(slot)] : 0;
}

double CPlayStats::SecondsPlayed() const
{
    const qint64 ms = m_playedMs + (m_playing.isValid() ? m_playing.elapsed() : 0);
    return ms / 1000.0;
}

double CPlayStats::SecondsToFirstPicture() const
{
    const int64_t first = m_firstPictureNs.load();
    if (first == 0 || m_playStartNs == 0 || first < m_playStartNs)
        return 0.0;
    return double(first - m_playStartNs) / 1e9;
}

QString CPlayStats::ToJson() const
{
    QJsonArray channels;
    for (int i = 0; i < kFullScreenSlot; ++i)
        channels.append(QJsonObject{{"channel", i}, {"delivered", Delivered(i)}, {"painted", Painted(i)}});
    const QJsonObject root{
        {"channels", channels},
        {"fullscreen", QJsonObject{{"delivered", Delivered(kFullScreenSlot)}, {"painted", Painted(kFullScreenSlot)}}},
        {"seconds_played", SecondsPlayed()},
        {"seconds_to_first_picture", SecondsToFirstPicture()},
    };
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

bool CPlayStats::Write() const
{
    QFile out(m_file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return out.write(ToJson().toUtf8()) >= 0;
}

}  // namespace kestrel::mainwnd
