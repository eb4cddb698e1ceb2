#pragma once
// Memory for large sections. A section of a million fibres holds a few
// hundred megabytes in a handful of arrays, and on a virtual machine every
// first touch of a 4 KiB page costs several microseconds: a 30 000-fibre
// run spent a third of its time in page faults. The programs therefore ask
// for transparent huge pages (2 MiB) where they matter:
// - every allocation of at least 1 MiB is aligned to 2 MiB and advised as
//   huge-page memory (the replaced global operator new of LargePages.cpp);
// - the heap that serves the smaller ones grows in large steps, is advised
//   the same way and keeps what is freed for reuse;
// - all threads share that heap, so their buffers are in it too.
// Nothing of this changes a result. Only the two programs link it in, the
// sanitizer builds included, so the checked build runs the code that
// ships. Debian's allocators and glibc's huge-page tunable were measured
// against it (docs/performance.md): none kept a single run's speed for
// certain, and the tunable works only when set before the process starts.

namespace colsec {

// Sets up the heap; call first thing in main. Does nothing where the C
// library or the kernel offer no such control.
void useLargePages();

}  // namespace colsec
