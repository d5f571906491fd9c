// A second, deliberately plain decoder for the explode format, used to check
// Explode: it takes bits one at a time, matches codes by growing a pattern
// bit by bit against codes derived from the bit lengths, and copies bytes
// one at a time. It keeps the same 8 bits of look-ahead as Explode, so its
// read and write calls must match Explode's exactly.
#ifndef VELORIN_TESTS_ARCHIVE_REFERENCE_EXPLODE_H
#define VELORIN_TESTS_ARCHIVE_REFERENCE_EXPLODE_H

#include "explode.h"

// Same contract and results as Explode; needs no work area from the caller.
int ReferenceExplode(ExplodeReadFn readCallback, ExplodeWriteFn writeCallback, void* context);

#endif
