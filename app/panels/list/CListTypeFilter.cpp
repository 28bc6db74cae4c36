#include "CListTypeFilter.h"

CListTypeFilter::CListTypeFilter()
{
    m_available.fill(1);
    Reset();
}

void CListTypeFilter::SetAvailable(int type, bool offered)
{
    if (ValidType(type))
        m_available[type] = offered ? 1 : 0;
}

bool CListTypeFilter::IsAvailable(int type) const
{
    return ValidType(type) && m_available[type] != 0;
}

bool CListTypeFilter::TypeChecked(int type) const
{
    return ValidType(type) && m_typeChecked[type];
}

int CListTypeFilter::CheckedCount() const
{
    int n = 0;
    for (int32_t f : m_flags)
        n += f != 0;
    return n;
}

int CListTypeFilter::AvailableCount() const
{
    int n = 0;
    for (int32_t a : m_available)
        n += a != 0;
    return n;
}

int CListTypeFilter::State() const
{
    const int checked = CheckedCount();
    if (checked == 0)
        return -1;
    return checked >= AvailableCount() ? 1 : 0;
}

void CListTypeFilter::SelectAllOffered()
{
    // A skin that offers no type at all would turn "all offered" into an
    // empty filter; every type is shown instead.
    const bool none = AvailableCount() == 0;
    for (int i = 0; i < kTypeCount; ++i) {
        m_flags[i] = none ? 1 : m_available[i];
        m_typeChecked[i] = false;
    }
    m_allChecked = true;
}

void CListTypeFilter::Reset()
{
    m_flags.fill(1);
    m_typeChecked.fill(false);
    m_allChecked = true;
}

bool CListTypeFilter::PressAll()
{
    m_allChecked = true;
    if (State() == 1) {
        // The shown types already cover every offered type (a skin offering
        // one type gets here after ticking it): nothing to refresh, but the
        // type buttons must not stay checked beside All.
        m_typeChecked.fill(false);
        return false;
    }
    SelectAllOffered();
    return true;
}

bool CListTypeFilter::ToggleType(int type, bool on)
{
    if (!ValidType(type))
        return false;
    if (on) {
        m_typeChecked[type] = true;
        if (m_allChecked) {
            m_flags.fill(0);
            m_flags[type] = 1;
            m_allChecked = false;
        } else {
            m_flags[type] = 1;
            if (State() == 1) {
                // Every offered type is ticked: that is "All" again.
                m_allChecked = true;
                m_typeChecked.fill(false);
            }
        }
    } else {
        m_typeChecked[type] = false;
        m_flags[type] = 0;
        if (State() == -1)
            SelectAllOffered();
    }
    return true;
}
