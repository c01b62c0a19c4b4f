#include "text/TextEditModel.h"

#include "text/Utf8.h"

#include <algorithm>
#include <utility>

void TextEditModel::clearSelection() {
    selAnchor = selEnd = -1;
    selByteStart = selByteEnd = -1;
}

bool TextEditModel::normalizeSelection() {
    if (selAnchor == -1 && selEnd == -1) return false;
    if (selAnchor < 0) selAnchor = 0;
    if (selEnd < 0) selEnd = 0;
    if (selEnd < selAnchor) {
        std::swap(selAnchor, selEnd);
        std::swap(selByteStart, selByteEnd);
    }
    selByteStart = int(byteOffset(selAnchor));
    selByteEnd = int(byteOffset(selEnd));
    return true;
}

bool TextEditModel::selectedBytes(size_t& from, size_t& to) {
    if (!hasSelection()) return false;
    normalizeSelection();
    from = size_t(selByteStart);
    to = size_t(selByteEnd);
    return to > from;
}

std::string TextEditModel::selectedText() {
    size_t from = 0, to = 0;
    if (!selectedBytes(from, to)) return std::string();
    return text.substr(from, to - from);
}

namespace {

bool isAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

}  // namespace

size_t TextEditModel::byteOffset(long index) const {
    const TextBuffer::View text = this->text.view();
    const size_t n = text.size();
    if (index <= 0 || n == 0) {
        memoIndex = 0;
        memoByte = 0;
        return 0;
    }
    if (memoByte > n) memoIndex = 0, memoByte = 0;
    if (index < memoIndex) {
        // Step back to an ASCII byte: no sequence ever takes one as a
        // continuation, so it always starts a code point, and decoding
        // forward from it meets the remembered offset again.
        size_t p = memoByte;
        long idx = memoIndex;
        while (idx > index && p > 0) {
            size_t q = p - 1;
            while (q > 0 && !isAscii(text[q])) --q;
            long counted = 0;
            for (size_t s = q; s < p;) {
                s += size_t(std::max(1, text.decodeAt(s).length));
                ++counted;
            }
            idx -= counted;
            p = q;
        }
        memoIndex = idx;
        memoByte = p;
    }
    size_t p = memoByte;
    long idx = memoIndex;
    while (idx < index && p < n) {
        if (isAscii(text[p]))
            ++p;
        else
            p += size_t(std::max(1, text.decodeAt(p).length));
        ++idx;
    }
    memoIndex = idx;
    memoByte = p;
    return p;
}

void TextEditModel::forgetOffsetsFrom(size_t at) const {
    // A change at `at` can alter how the up to three bytes before it decode
    // (a lead byte waiting for continuations); an ASCII byte before that is
    // unaffected and still starts a code point with the same index.
    if (memoByte + 3 < at) return;
    if (memoByte == 0) return;
    const TextBuffer::View text = this->text.view();
    size_t target = at >= 4 ? at - 4 : 0;
    size_t p = std::min(memoByte, target);
    while (p > 0 && !isAscii(text[p])) --p;
    if (p == 0) {
        memoIndex = 0;
        memoByte = 0;
        return;
    }
    // Count back from the remembered offset to p, as byteOffset does.
    size_t q = memoByte;
    long idx = memoIndex;
    while (q > p) {
        size_t r = q - 1;
        while (r > p && !isAscii(text[r])) --r;
        long counted = 0;
        for (size_t s = r; s < q;) {
            s += size_t(std::max(1, text.decodeAt(s).length));
            ++counted;
        }
        idx -= counted;
        q = r;
    }
    memoIndex = idx;
    memoByte = q;
}

void TextEditModel::noteEdit(size_t at, const std::string& removedBytes, size_t inserted) {
    ++revision;
    ++editsSinceMark;
    if (editsSinceMark == 1) {
        firstAt = at;
        firstWasRemoval = inserted == 0;
        if (firstWasRemoval) firstRemoved = removedBytes;
    } else if (editsSinceMark == 2) {
        secondAt = at;
        secondWasInsertion = removedBytes.empty();
        secondInserted = inserted;
    }
}

TextEdit TextEditModel::insert(int index, const std::string& bytes) {
    TextEdit e;
    e.at = byteOffset(index);
    e.atIndex = int(memoIndex);
    e.inserted = bytes.size();
    if (bytes.empty()) return e;
    forgetOffsetsFrom(e.at);
    text.insert(e.at, bytes);
    noteEdit(e.at, std::string(), bytes.size());
    return e;
}

TextEdit TextEditModel::erase(int from, int to) {
    TextEdit e;
    const size_t a = byteOffset(from);
    e.atIndex = int(memoIndex);
    const size_t b = byteOffset(to);
    const int toIndex = int(memoIndex);
    e.at = a;
    if (b <= a) return e;
    e.removed = b - a;
    e.removedCount = toIndex - e.atIndex;
    forgetOffsetsFrom(a);
    noteEdit(a, text.substr(a, b - a), 0);
    text.erase(a, b - a);
    return e;
}

void TextEditModel::replaced() {
    memoIndex = 0;
    memoByte = 0;
    ++revision;
    unknownChange = true;
}

void TextEditModel::markUnchanged() {
    markRevision = revision;
    editsSinceMark = 0;
    unknownChange = false;
    firstRemoved.clear();
}

bool TextEditModel::changedSinceMark() const {
    if (revision == markRevision) return false;
    if (unknownChange || editsSinceMark != 2) return true;
    // A selection replaced by the very bytes it held.
    if (!firstWasRemoval || !secondWasInsertion || firstAt != secondAt) return true;
    return secondInserted != firstRemoved.size() || !text.equalsAt(secondAt, firstRemoved);
}
