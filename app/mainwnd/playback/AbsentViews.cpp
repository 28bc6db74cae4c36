#include "AbsentViews.h"

namespace kestrel::playflow {

namespace {

class AbsentPost final : public views::IFlowPost {
public:
    void PostPlayerEvent(uintptr_t) override {}
    void PostPositionUpdate() override {}
};

class AbsentList final : public views::IRecordListView {
public:
    int PlayingRow() const override { return -1; }
    int SelectedRow() const override { return -1; }
    void MarkPlayingRow(int) override {}
    void ClearPlayingRow() override {}
    void SelectRow(int) override {}
    void ShowPlayStatus(bool) override {}
    int CheckedRowCount() const override { return 0; }
    void SetListState(int) override {}
};

class AbsentTransport final : public views::ITransportView {
public:
    void ShowPlayButton(bool) override {}
    void EnableControl(views::PlayControl, bool) override {}
    void SetPlayBarRange(int) override {}
    void SetPlayBarPos(int) override {}
    int PlayBarPos() const override { return 0; }
    int PlayBarMax() const override { return 0; }
    void SetPlayBarLabel(const QString&) override {}
    int SpeedSliderPos() const override { return 2; }  // x1
    void SetSpeedSliderPos(int) override {}
    void SetSpeedLabel(const QString&) override {}
    bool TimeLapseChecked() const override { return false; }
    int VolumeSliderPos() const override { return 0; }
    void SetVolumeSliderPos(int) override {}
    bool MuteChecked() const override { return false; }
    void SetMuteChecked(bool) override {}
};

class AbsentDisplays final : public views::IDisplaysView {
public:
    IDisplay* ChannelDisplay(int) override { return nullptr; }
    IDisplay* FullScreenDisplay() override { return nullptr; }
    int WindowState() const override { return 0; }
    QSize ClientSize() const override { return {}; }
    void PlaceChannelPanel(int, const QString&, QSize) override {}
    void HideChannelPanel(int) override {}
    void ShowViewChannel(int) override {}
    void StartPictureResumeTimer(int) override {}
};

class AbsentReadouts final : public views::IReadoutView {
public:
    void UpdateReadouts(CRecFileInfo*, int, const CUserDataInfo*) override {}
    void ResetReadouts() override {}
};

class AbsentGSensor final : public views::IGSensorView {
public:
    void SetRecord(CRecFileInfo*, const _TAG_STREAM_INFO&, int) override {}
    void SetCursor(int) override {}
    void Reset() override {}
};

class AbsentMap final : public views::IMapSink {
public:
    bool Ready() const override { return false; }
    void PlaybackStarted(CRecFileInfo*) override {}
    void PlaybackStopped() override {}
    bool KeepsRecordSamples() const override { return false; }
    void Sample(const CUserDataInfo&) override {}
    void RecordChosen(CRecFileInfo*) override {}
};

// Without anyone to ask, an unopenable recording stops playback.
class AbsentPrompt final : public views::IFlowPrompt {
public:
    bool AskOpenFailed() override { return false; }
    QString Text(const QString&) const override { return {}; }
};

template <class Role, class StandIn>
Role* Or(Role* given)
{
    static StandIn standIn;  // stateless, so one serves every flow
    return given ? given : &standIn;
}

}  // namespace

views::PlayViews WithStandIns(const views::PlayViews& v)
{
    views::PlayViews r;
    r.post = Or<views::IFlowPost, AbsentPost>(v.post);
    r.list = Or<views::IRecordListView, AbsentList>(v.list);
    r.transport = Or<views::ITransportView, AbsentTransport>(v.transport);
    r.displays = Or<views::IDisplaysView, AbsentDisplays>(v.displays);
    r.readouts = Or<views::IReadoutView, AbsentReadouts>(v.readouts);
    r.gsensor = Or<views::IGSensorView, AbsentGSensor>(v.gsensor);
    r.map = Or<views::IMapSink, AbsentMap>(v.map);
    r.prompt = Or<views::IFlowPrompt, AbsentPrompt>(v.prompt);
    return r;
}

}  // namespace kestrel::playflow
