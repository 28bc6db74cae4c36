// The record store's sort: a top-down merge sort on an unsigned 64-bit key.
// Ascending keeps equal keys in their order (stable); descending puts, of two
// equal keys, the one from the later half first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace recplugin {

template <typename T, typename KeyFn>
void MergeSortByKey(std::vector<T>& items, bool ascending, KeyFn key)
{
    if (items.size() < 2)
        return;
    std::vector<T> tmp(items.size());
    // Sorts items[lo..hi] (inclusive), split at (lo + hi) / 2.
    auto sortRun = [&](auto&& self, size_t lo, size_t hi) -> void {
        if (lo >= hi)
            return;
        const size_t mid = (lo + hi) / 2;
        self(self, lo, mid);
        self(self, mid + 1, hi);
        size_t a = lo, b = mid + 1, o = lo;
        while (a <= mid && b <= hi) {
            const uint64_t ka = key(items[a]);
            const uint64_t kb = key(items[b]);
            const bool takeLeft = ascending ? ka <= kb : ka > kb;
            tmp[o++] = takeLeft ? items[a++] : items[b++];
        }
        while (a <= mid)
            tmp[o++] = items[a++];
        while (b <= hi)
            tmp[o++] = items[b++];
        for (size_t i = lo; i <= hi; ++i)
            items[i] = tmp[i];
    };
    sortRun(sortRun, 0, items.size() - 1);
}

}  // namespace recplugin
