#include "popups/CTranslatedMessageBox.h"

#include "skin/CUIResources.h"

QString CTranslatedMessageBox::OkCaption(const CUIResources& resources)
{
    return resources.GetUIText(QStringLiteral("common_ok"));
}

QString CTranslatedMessageBox::CancelCaption(const CUIResources& resources)
{
    return resources.GetUIText(QStringLiteral("common_cancel"));
}

int CTranslatedMessageBox::Show(const CUIResources& resources, QWidget* parent, const QString& text,
                                const QString& title, CUtilMessageBox::Buttons buttons)
{
    return CUtilMessageBox::Show(parent, text, title, buttons, OkCaption(resources), CancelCaption(resources));
}
