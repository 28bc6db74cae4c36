// CReadoutStatics: the main window's G-sensor axis texts and GPS status
// button as the read-out role of the playback flow.
#pragma once

#include "views/IReadoutView.h"

#include <QString>

#include <functional>

class CCtrlWnd;

namespace kestrel::mainwnd {

class CReadoutStatics final : public views::IReadoutView {
public:
    using ControlLookup = std::function<CCtrlWnd*(int id)>;
    using TextLookup = std::function<QString(const QString& key)>;
    CReadoutStatics(ControlLookup controls, TextLookup text)
        : m_controls(std::move(controls)), m_text(std::move(text))
    {
    }

    // The positions' values arrive with the G-sensor and GPS panels; until
    // then the read-outs keep their "nothing plays" texts.
    void UpdateReadouts(CRecFileInfo*, int, const CUserDataInfo*) override {}
    void ResetReadouts() override;

private:
    ControlLookup m_controls;
    TextLookup m_text;
};

}  // namespace kestrel::mainwnd
