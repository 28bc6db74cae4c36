// Plain message boxes whose OK and Cancel buttons carry the captions of the
// loaded language ("common_ok", "common_cancel"). Unattended runs
// (KESTREL_MESSAGEBOX_LOG) log the text and answer OK, like every message box.
#pragma once

#include "util/CUtilMessageBox.h"

#include <QString>

class CUIResources;
class QWidget;

class CTranslatedMessageBox {
public:
    // CUtilMessageBox::IdOk (1) or IdCancel (2). The captions are looked up
    // in `resources` for each box, so a language change applies to the next.
    static int Show(const CUIResources& resources, QWidget* parent, const QString& text,
                    const QString& title = QString(), CUtilMessageBox::Buttons buttons = CUtilMessageBox::Ok);

    // The captions in the loaded language (empty without a loaded language,
    // which keeps the toolkit's own captions).
    static QString OkCaption(const CUIResources& resources);
    static QString CancelCaption(const CUIResources& resources);
};
