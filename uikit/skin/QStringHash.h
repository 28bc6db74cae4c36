// Hash functor so QString can key the standard unordered containers.
#pragma once

#include <QHashFunctions>
#include <QString>

#include <cstddef>

struct KQStringHash {
    std::size_t operator()(const QString& s) const noexcept { return qHash(s); }
};
