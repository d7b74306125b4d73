#pragma once

#include "storage/apperror.h"

class QIODevice;

// The compressed-blob format of descriptions and attachments: exactly one zlib
// stream (RFC 1950), default level, window bits 15, memory level 8, default
// strategy, and nothing after it. Any zlib reader understands these blobs.
//
// Both functions read `source` from its start (a sequential source, whose size
// is unknown, is read from wherever it is until its end; when it has nothing
// to hand over it is waited on, up to 30 s at a time, before being taken as
// ended) and write the result into `dest` at its current position, working in
// bounded chunks so that neither the whole input nor the whole output is ever
// held in memory. Source and dest are two different devices (two QBuffers
// over one QByteArray count as one). A QBuffer is read or written directly in
// its array, and a QBuffer dest fills the capacity it has reserved before it
// grows.
//
// `dest` must be open for writing and, unless it is sequential, positioned at
// its end: the result is only ever added, so a failure can take it back out
// without touching what was there before (an AppError is raised, before any
// byte is written, for a dest with bytes after its position).
//
// On success a non-sequential dest is left at position 0, ready to be read.
// On failure (AppError, DecompressionError, or std::bad_alloc) a QBuffer or a
// QFileDevice dest is cut back to the position and size it had before the
// call, so no partial result is left behind. Any other device cannot be cut
// back: a sequential one keeps what it was already handed, another
// random-access one keeps its new bytes and goes back to its starting
// position. The call throws all the same and its reader must discard them.

// Raised when the bytes handed to DescompactarStream are not one complete,
// intact zlib stream: bad header, damaged data, wrong checksum, a stream cut
// short or followed by further bytes.
class DecompressionError : public AppError
{
public:
    using AppError::AppError;
};

// Compresses all of `source` into `dest`. An empty source gives the 8-byte
// stream of empty content. Raises AppError when source cannot be read or dest
// cannot be written.
void CompactarStream(QIODevice &source, QIODevice &dest);

// Decompresses the zlib stream in `source` into `dest`. An empty source means
// empty content: nothing is written and no error is raised.
void DescompactarStream(QIODevice &source, QIODevice &dest);
