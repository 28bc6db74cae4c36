#include "DisplaySetup.h"

#include "skin/CUIResources.h"
#include "kestrel/RecordRules.h"
#include "vidout/IDisplay.h"

#include <QPixmap>
#include <QSize>
#include <QWidget>

namespace kestrel::display {

QString LabelKeyForChannel(int channel)
{
    if (channel >= kChannelFront && channel <= kChannelRight)
        return QString::fromLatin1(kestrel::ChannelLabelKey(channel));
    if (channel == kChannelMapDialog)
        return QStringLiteral("map_dlg_text");
    return QString();
}

QStringList LogoKeysForChannel(int channel)
{
    if (channel >= kChannelRear && channel <= kChannelRight)
        return {QStringLiteral("logo_main_rear"), QStringLiteral("logo_sub_rear"), QStringLiteral("logo_full_rear")};
    return {QStringLiteral("logo_main_front"), QStringLiteral("logo_sub_front"), QStringLiteral("logo_full_front")};
}

void ApplyLabel(IDisplay& display, const QString& fontFace, int fontSize, const QString& text)
{
    display.SetLabel(fontFace, fontSize, text, kLabelColour);
}

void ApplyLabelKey(IDisplay& display, const CUIResources& resources, const QString& key)
{
    ApplyLabel(display, resources.FontName(), resources.GetUIFontSize(key), resources.GetUIText(key));
}

void ApplyLogos(IDisplay& display, const CUIResources& resources, const QStringList& keys)
{
    for (int i = 0; i < keys.size(); ++i) {
        const QPixmap* bitmap = resources.GetUIBitmap(keys[i]);
        display.SetLogo(i, bitmap ? bitmap->toImage() : QImage());
    }
    display.SelectLogo(0);
}

void PollRecovery(IDisplay& display)
{
    // Only a display that asks for it is recovered: a recovery clears the
    // picture, which must not happen to a healthy display every round.
    if (!display.NeedsRecovery())
        return;
    display.MarkRecovery(1);
    if (display.Recover()) {
        display.MarkRecovery(0);
        display.Clear(1);
    }
}

void RepaintHeldPicture(IDisplay* display)
{
    if (QWidget* screen = display ? display->Widget() : nullptr)
        screen->update();
}

void FitToWindow(IDisplay* display, const QSize& size)
{
    if (size.width() < 1 || size.height() < 1)
        return;
    if (QWidget* screen = display ? display->Widget() : nullptr)
        screen->setGeometry(0, 0, size.width(), size.height());
}

}  // namespace kestrel::display
