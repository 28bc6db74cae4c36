// The recording plug-in as a source of skin resources and texts: answers
// CUIResources through the plug-in manager, following the flags of the
// plug-in's description record.
#pragma once

#include "skin/CUIResources.h"

struct _PLUGIN_INFO;
class CPluginManager;

class CPluginResourceSource final : public CUIResources::IPluginSource {
public:
    // Neither is owned; both must outlive the source (the application
    // detaches it before it deletes the manager).
    CPluginResourceSource(CPluginManager& manager, const _PLUGIN_INFO& info) : m_manager(manager), m_info(info) {}

    bool SuppliesSkin() const override;
    bool SuppliesTexts() const override;
    void Ask(Asset asset, const QString& key) const override;
    int FontSize(const QString& key) const override;
    QString Text(const QString& key) const override;

private:
    CPluginManager& m_manager;
    const _PLUGIN_INFO& m_info;
};
