// How the process's allocator treats photo-sized buffers. A photo costs a few
// buffers of tens of megabytes (decoded pixels, their reduction, the texture's
// levels), made and freed for every photo, mostly on short-lived loader
// threads.
#pragma once

namespace memory {

// From here on, buffers of 128 KiB and more are mapped from the system and
// given back to it when freed. The allocator's default raises that limit after
// the first large buffer is freed; photo buffers then stay in the heaps of the
// threads that freed them, and a show of large photos held some 40 MiB more
// than its photos need. Call once, at start-up, before any thread is made.
void ReturnLargeBuffersToTheSystem();

}  // namespace memory
