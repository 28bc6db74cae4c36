// Questions the playback flow asks the user, and the texts it shows.
// User-interface thread only.
#pragma once

#include <QString>

namespace kestrel::views {

class IFlowPrompt {
public:
    virtual ~IFlowPrompt() = default;

    // The open-failed question, with the key table off while it is open:
    // true when the user chose to go on with the next recording.
    virtual bool AskOpenFailed() = 0;
    // Text of a language key.
    virtual QString Text(const QString& key) const = 0;
};

}  // namespace kestrel::views
