// One caller at a time inside the library. The exported functions are meant to be called from
// one thread at a time; should two threads call at once, the second waits for the first rather
// than both working on cSharedFolder, its lists and the log stream together.
#pragma once

#include <mutex>

// Recursive, so that an export reached from within another export cannot deadlock.
std::recursive_mutex& LibraryMutex();
