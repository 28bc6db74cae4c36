// The steps both display windows take with their display object: label,
// logos and the recovery poll. Kept apart from the widgets so the panel and
// the full-screen view apply them the same way.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class CUIResources;
class IDisplay;
class QSize;

namespace kestrel::display {

// Channel indices the panels are created for.
inline constexpr int kChannelFront = 0;
inline constexpr int kChannelRear = 1;
inline constexpr int kChannelLeft = 2;
inline constexpr int kChannelRight = 3;
inline constexpr int kChannelMapDialog = 16;

// The value the main window hands to every display as its screen mode.
inline constexpr int kDefaultScreenMode = 5;
// Labels are drawn in white.
inline constexpr uint32_t kLabelColour = 0xFFFFFF;
// The recovery poll of both windows: id and period.
inline constexpr int kRecoveryTimerId = 33024;
inline constexpr int kRecoveryPeriodMs = 500;
// Second parameter of a display notification forwarded by the full-screen
// view (its dialog number).
inline constexpr intptr_t kFullScreenNotifyId = 107;

// The text key of a channel's label; empty for channels without a label
// (4 to 15, above 16, negative).
QString LabelKeyForChannel(int channel);
// The three logo keys (indices 0, 1, 2) of a channel: the rear set for
// channels 1 to 3, the front set for every other channel.
QStringList LogoKeysForChannel(int channel);

// Sets the label of `display` to `text` in the application's font at
// `fontSize`, white.
void ApplyLabel(IDisplay& display, const QString& fontFace, int fontSize, const QString& text);
// Sets the label from a text key: its text and font size from `resources`.
void ApplyLabelKey(IDisplay& display, const CUIResources& resources, const QString& key);
// Gives logo i the bitmap of keys[i] in `resources` (an empty picture when
// the key has none), then shows logo 0.
void ApplyLogos(IDisplay& display, const CUIResources& resources, const QStringList& keys);

// One round of the recovery poll: a display that needs recovery is marked;
// when it recovers the mark is removed and the display cleared. A failed
// recovery keeps the mark so the next round tries again.
void PollRecovery(IDisplay& display);

// The display's own widget fills its window. Exposing or resizing the
// window repaints the picture the display holds, so a paused recording
// keeps showing its frame; clearing is left to stop and recovery.
// Both accept a window without a display; `FitToWindow` ignores an empty size.
void RepaintHeldPicture(IDisplay* display);
void FitToWindow(IDisplay* display, const QSize& size);

}  // namespace kestrel::display
