// The recording-type filter of the list panel: which of the eight recording
// types the merged list shows, which types the skin offers, and the checked
// state of the All button and the eight type buttons. Kept free of widgets
// so the rules can be checked on their own; the panel mirrors the button
// states after each action.
//
// The rules keep two promises: the All button and a type button are never
// checked together, and the flags handed to MergeData are never all zero.
#pragma once

#include <array>
#include <cstdint>

class CListTypeFilter {
public:
    static constexpr int kTypeCount = 8;

    // All types offered, every flag set, All checked.
    CListTypeFilter();

    // Whether the skin offers type `type` (a button with a non-empty
    // rectangle). Out-of-range types are ignored.
    void SetAvailable(int type, bool offered);
    bool IsAvailable(int type) const;

    // -1 when no flag is set, 1 when at least as many flags are set as
    // types are offered, else 0.
    int State() const;

    // The user pressed the All button. false when All already stood for
    // every offered type (nothing changed, nothing to refresh).
    bool PressAll();
    // The user toggled type button `type` to `on`. true when the filter
    // changed and the list must be merged and filled again.
    bool ToggleType(int type, bool on);
    // All checked, type buttons unchecked, all eight flags set (offered or not).
    void Reset();

    bool AllChecked() const { return m_allChecked; }
    bool TypeChecked(int type) const;

    // The eight flags, flag i = 1 when type i is shown; handed to MergeData as is.
    int32_t* Flags() { return m_flags.data(); }
    const std::array<int32_t, kTypeCount>& FlagArray() const { return m_flags; }

private:
    static bool ValidType(int type) { return type >= 0 && type < kTypeCount; }
    int CheckedCount() const;
    int AvailableCount() const;
    // Flags = offered types; All checked, type buttons unchecked.
    void SelectAllOffered();

    std::array<int32_t, kTypeCount> m_flags{};
    std::array<int32_t, kTypeCount> m_available{};
    std::array<bool, kTypeCount> m_typeChecked{};
    bool m_allChecked = true;
};
