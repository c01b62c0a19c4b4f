#pragma once

// A pop-up that survives being closed: the window detaches it instead of
// deleting it, because its owner keeps it for the next time.
class IKeptPopup {
public:
    virtual ~IKeptPopup() = default;
    virtual bool keepWhenClosed() = 0;
};
