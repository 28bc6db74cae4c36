// A main-window stand-in: records the messages the display windows send it
// and the keys it receives.
#pragma once

#include "controls/CMsgTarget.h"

#include <QKeyEvent>
#include <QWidget>

#include <vector>

struct SentMessage {
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
};

class RecordingOwner : public QWidget, public CMsgTarget {
public:
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override
    {
        sent.push_back({msg, wParam, lParam});
        return answer;
    }

    std::vector<SentMessage> sent;
    std::vector<int> keys;
    intptr_t answer = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
};
