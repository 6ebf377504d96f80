#include "platform/SecureMemory.h"

#include <string.h> // explicit_bzero

void SecureMemory::wipe(void* data, std::size_t size) {
    if (data != nullptr && size > 0)
        explicit_bzero(data, size);
}
