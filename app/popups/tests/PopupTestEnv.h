// The shared set-up of the popup tests: an offscreen 1920 x 1080 screen, a
// private profile in a temporary folder and one application object prepared
// from the staged application folder.
#pragma once

#include <functional>

class CKestrelApp;
class CUIResources;
class QWidget;

namespace popuptest {

// The prepared application object.
CKestrelApp& App();
// Its skin and text look-ups, which the popups under test receive.
const CUIResources& Res();

// Runs `action` once on the modal window shown next (checked every few
// milliseconds from the event loop), so a test can answer an exec() call.
void WhenModalShown(std::function<void(QWidget*)> action);

}  // namespace popuptest
