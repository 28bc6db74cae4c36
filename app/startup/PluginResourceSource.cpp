#include "startup/PluginResourceSource.h"

#include "filehub/CPluginManager.h"
#include "kestrel/KestrelTypes.h"

bool CPluginResourceSource::SuppliesSkin() const
{
    return m_info.bSkinResources != 0;
}

bool CPluginResourceSource::SuppliesTexts() const
{
    return m_info.bTexts != 0;
}

void CPluginResourceSource::Ask(Asset asset, const QString& key) const
{
    const std::wstring name = key.toStdWString();
    switch (asset) {
    case Asset::Pos: m_manager.GetPosInfo(name); break;
    case Asset::Image: m_manager.GetImageFile(name); break;
    case Asset::Bitmap: m_manager.GetBitmapFile(name); break;
    case Asset::Icon: m_manager.GetIconFile(name); break;
    }
}

int CPluginResourceSource::FontSize(const QString& key) const
{
    return m_manager.GetFont(key.toStdWString());
}

QString CPluginResourceSource::Text(const QString& key) const
{
    return QString::fromStdWString(m_manager.GetText(key.toStdWString()));
}
