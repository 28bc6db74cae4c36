// CFlowPrompt: the playback flow's questions to the user (the open-failed
// popup, with the key table off while it is open) and its texts.
#pragma once

#include "views/IFlowPrompt.h"

#include <functional>

class CKestrelApp;
class CUIResources;
class QWidget;

namespace kestrel::mainwnd {

class CFlowPrompt final : public views::IFlowPrompt {
public:
    // `parent` owns the popups; `app` gives the key table switch (null: keys
    // untouched); `resources` the texts and the popups' skin.
    CFlowPrompt(QWidget* parent, CKestrelApp* app, const CUIResources& resources)
        : m_parent(parent), m_app(app), m_res(resources)
    {
    }

    // While `skip` answers true the question is not asked and playback
    // stops: the recordings' folder is gone (a card pulled out), so every
    // next recording would fail the same way.
    void SetSkipWhen(std::function<bool()> skip) { m_skip = std::move(skip); }

    bool AskOpenFailed() override;
    QString Text(const QString& key) const override;

private:
    QWidget* m_parent;
    CKestrelApp* m_app;
    const CUIResources& m_res;
    std::function<bool()> m_skip;
};

}  // namespace kestrel::mainwnd
