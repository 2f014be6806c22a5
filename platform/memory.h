#pragma once

// How the process holds on to memory it has freed. The game passes a stream
// of large pictures through the allocator; without these the freed space of
// one location stays resident while the next is loaded.
namespace platform {

// Makes every allocation larger than a picture's buffers a mapping of its
// own, given back when freed, and has all threads share one heap. Called
// once at start-up, before any thread but the first allocates.
void configure_heap_for_pictures();
// Gives free pages inside the allocator's heaps back to the system; for a
// moment with time to spare after pictures were replaced.
void return_free_memory();

}  // namespace platform
