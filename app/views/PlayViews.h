// The views the playback flow drives, handed over as one set of roles. A
// null role means that view is absent: the flow then behaves as if every
// call to it did nothing and every question got the "nothing there"
// answer. The objects are kept, not owned, and must outlive the flow.
#pragma once

#include "views/IDisplaysView.h"
#include "views/IFlowPost.h"
#include "views/IFlowPrompt.h"
#include "views/IGSensorView.h"
#include "views/IMapSink.h"
#include "views/IReadoutView.h"
#include "views/IRecordListView.h"
#include "views/ITransportView.h"

namespace kestrel::views {

struct PlayViews {
    IFlowPost* post = nullptr;
    IRecordListView* list = nullptr;
    ITransportView* transport = nullptr;
    IDisplaysView* displays = nullptr;
    IReadoutView* readouts = nullptr;
    IGSensorView* gsensor = nullptr;
    IMapSink* map = nullptr;
    IFlowPrompt* prompt = nullptr;
};

}  // namespace kestrel::views
