// The language key that names a view channel in the full-screen view.
#pragma once

namespace kestrel::mainwnd {

inline const char* ViewLabelKey(int view)
{
    static const char* const kKeys[] = {"display_text_front", "display_text_rear", "display_text_left",
                                        "display_text_right"};
    return kKeys[view >= 0 && view < 4 ? view : 0];  // others: front
}

}  // namespace kestrel::mainwnd
