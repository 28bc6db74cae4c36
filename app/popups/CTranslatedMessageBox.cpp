#include "popups/CTranslatedMessageBox.h"

#include "startup/CKestrelApp.h"

QString CTranslatedMessageBox::OkCaption()
{
    const CKestrelApp* app = CKestrelApp::Instance();
    return app ? app->GetUIText(QStringLiteral("common_ok")) : QString();
}

QString CTranslatedMessageBox::CancelCaption()
{
    const CKestrelApp* app = CKestrelApp::Instance();
    return app ? app->GetUIText(QStringLiteral("common_cancel")) : QString();
}

int CTranslatedMessageBox::Show(QWidget* parent, const QString& text, const QString& title,
                                CUtilMessageBox::Buttons buttons)
{
    // The captions are looked up for each box, so a language change applies
    // to the next box shown.
    return CUtilMessageBox::Show(parent, text, title, buttons, OkCaption(), CancelCaption());
}
