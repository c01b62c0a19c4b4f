#pragma once

#include "text/TextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string>

// One change of the text, in bytes of the text before and after it: `removed`
// bytes at `at` gave way to `inserted` bytes. `atIndex` is the code-point index
// of `at` and `removedCount` the number of code points removed, both counted in
// the text before the change.
struct TextEdit {
    size_t at = 0;
    size_t removed = 0;
    size_t inserted = 0;
    int atIndex = 0;
    int removedCount = 0;
};

// The text of a text control with its cursor and selection. Cursor and
// selection count code points; edits address bytes derived from them, so a
// malformed byte is one code point of its own and an edit never lands inside
// a character. The model neither lays out nor draws; every change returns
// the TextEdit the layout needs to follow it.
class TextEditModel {
public:
    TextBuffer text;
    int cursorIndex = 0;
    int selAnchor = -1, selEnd = -1;
    int selByteStart = -1, selByteEnd = -1;

    bool hasSelection() const { return selAnchor != -1 && selEnd != -1 && selAnchor != selEnd; }
    void clearSelection();
    // Orders anchor and end and recomputes their byte offsets. False when
    // there is no selection at all (both ends -1), which it leaves alone.
    bool normalizeSelection();
    // Byte range of the selection after normalising; false when it is empty.
    bool selectedBytes(size_t& from, size_t& to);
    std::string selectedText();

    // Byte offset of a code-point index, never beyond the end of the text.
    // Steps from the last offset asked for, so asking near the cursor again
    // and again costs only the distance moved, not the length of the text.
    size_t byteOffset(long index) const;

    // Changes. Each keeps the remembered offset valid and counts a revision.
    TextEdit insert(int index, const std::string& bytes);
    // Removes the code points [from, to).
    TextEdit erase(int from, int to);
    // The whole text at once (setText, or after writing `text` directly).
    void replaced();

    // Whether the text differs from what it was at the last markUnchanged.
    // Exact for the changes one event makes: one insertion, one removal, or
    // a removal followed by an insertion at the same place.
    void markUnchanged();
    bool changedSinceMark() const;

private:
    void forgetOffsetsFrom(size_t at) const;
    void noteEdit(size_t at, const std::string& removedBytes, size_t inserted);

    // The remembered (index, byte offset) pair; the byte offset is always the
    // start of a code point.
    mutable long memoIndex = 0;
    mutable size_t memoByte = 0;

    uint64_t revision = 0;
    uint64_t markRevision = 0;
    // The edits since the mark, as far as changedSinceMark needs them.
    int editsSinceMark = 0;
    size_t firstAt = 0, secondAt = 0;
    std::string firstRemoved;
    size_t secondInserted = 0;
    bool firstWasRemoval = false;
    bool secondWasInsertion = false;
    bool unknownChange = false;
};
