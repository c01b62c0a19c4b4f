#pragma once

// Base64 coding (RFC 4648 alphabet, "=" padding) of memory buffers, texts and
// files.
//
// The two encoders share one process-wide output line position: a line holds
// at most 72 characters, and the position carries over from one call to the
// next (it starts at 0 and is never reset by a call).  The decoders share the
// strict flag, which is on until changed.

#include <cstddef>
#include <cstdio>

// Encodes len bytes of in into out and appends a terminating zero.  A '\n' is
// inserted before any character that would be the 73rd on its line.  Returns
// the number of characters written (without the zero).  With out null nothing
// is written and nothing changes: the result is the length the same call with
// a buffer would produce, so a caller can size the buffer first (result + 1).
// A null in with a non-zero length encodes nothing and returns 0.
std::size_t base64_encode_buffer(const void* in, std::size_t len, char* out);

// Decodes the zero-terminated text into out and returns the number of bytes.
// '\n', '\r' and ' ' are skipped; decoding stops after a group with padding or
// at the terminating zero.  In strict mode an invalid character or an
// incomplete final group makes the result 0; otherwise invalid characters are
// skipped and an incomplete final group yields the bytes it holds.  With out
// null only the length is computed.  A null text gives 0.
std::size_t base64_decode_text(const char* text, void* out);

// The strict flag of both decoders.
void base64_set_strict(bool strict);
bool base64_strict();

// Reads the file in 256-byte blocks and writes its encoding to out in lines of
// 72 characters, each line (the last one too) ended by "\r\n".  A read or
// write error, or a null stream, ends the process with exit status 1.
void base64_encode_stream(std::FILE* file, std::FILE* out = stdout);

// Decodes the file to out, ignoring every byte up to 32 (white space and
// control characters).  Groups may follow a padded group.  In strict mode an
// invalid character ends the process with "Illegal character '%c' in input
// file." and an incomplete final group with "Input file incomplete." on
// standard error; outside strict mode such characters are skipped and a final
// partial group yields the bytes it holds.  A read or write error, or a null
// stream, ends the process.  Every ending has exit status 1.
void base64_decode_stream(std::FILE* file, std::FILE* out = stdout);
