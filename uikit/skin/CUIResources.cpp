#include "skin/CUIResources.h"

bool CUIResources::LoadSkin(const QString& skinFolder, const QString& imageList, const QString& coordinateFile)
{
    if (!m_image.LoadImageFiles(skinFolder, imageList) || !m_image.LoadBitmapFiles(skinFolder, imageList) ||
        !m_image.LoadIconFiles(skinFolder, imageList))
        return false;
    m_coordi.LoadInfo(coordinateFile);
    return true;
}

void CUIResources::LoadLanguage(const QString& languageFile)
{
    m_text.UnloadTextMain();
    m_text.LoadTextMain(languageFile);
    m_strFontName = CUIText::GetFontName(languageFile);
    m_strLanguageFile = languageFile;
}

void CUIResources::Unload()
{
    m_image.UnloadImageFiles();
    m_image.UnloadBitmapFiles();
    m_image.UnloadIconFiles();
    m_text.UnloadTextMain();
    m_coordi.UnloadInfo();
    m_strFontName.clear();
    m_strLanguageFile.clear();
}

bool CUIResources::AskPluginSkin(IPluginSource::Asset asset, const QString& key) const
{
    if (!m_plugin || !m_plugin->SuppliesSkin())
        return false;
    m_plugin->Ask(asset, key);
    return true;
}

QString CUIResources::GetUIText(const QString& key) const
{
    if (m_plugin && m_plugin->SuppliesTexts()) {
        const QString text = m_plugin->Text(key);
        if (!text.isEmpty() && text != QStringLiteral("NULL"))
            return text;
    }
    return m_text.GetTextMain(key);
}

QString CUIResources::GetUIMapInfo() const
{
    return m_strLanguageFile.isEmpty() ? QString() : CUIText::GetMapInfo(m_strLanguageFile);
}

const _WIN_POS* CUIResources::GetUIPos(const QString& key) const
{
    AskPluginSkin(IPluginSource::Asset::Pos, key);
    return m_coordi.GetWinPos(key);
}

const QImage* CUIResources::GetUIImage(const QString& key) const
{
    AskPluginSkin(IPluginSource::Asset::Image, key);
    return m_image.GetImageFile(key);
}

const QPixmap* CUIResources::GetUIBitmap(const QString& key) const
{
    AskPluginSkin(IPluginSource::Asset::Bitmap, key);
    return m_image.GetBitmapFile(key);
}

const QIcon* CUIResources::GetUIIcon(const QString& key) const
{
    AskPluginSkin(IPluginSource::Asset::Icon, key);
    return m_image.GetIconFile(key);
}

int CUIResources::GetUIFontSize(const QString& key) const
{
    if (m_plugin && m_plugin->SuppliesSkin()) {
        const int size = m_plugin->FontSize(key);
        if (size >= 0)
            return size;
    }
    return m_text.GetFontSizeMain(key);
}
