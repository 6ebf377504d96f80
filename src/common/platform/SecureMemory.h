#pragma once

#include <cstddef>

// Memory that held a secret (a password, its key bytes) is overwritten in a way the compiler
// cannot leave out, however the function that used it is left.
namespace SecureMemory {
void wipe(void* data, std::size_t size);
} // namespace SecureMemory
