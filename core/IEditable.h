#pragma once

// The side of a widget that receives text input. The engine keeps a pointer
// to the IEditable side of the focused widget; an editor compares it with
// itself to learn whether it owns the keyboard.
class IEditable {
public:
    virtual ~IEditable() = default;
};
