#include "platform/ResourceUsage.h"

#include <sys/resource.h>

double ResourceUsage::endedChildrenPeakMegabytes() {
    rusage usage{};
    if (getrusage(RUSAGE_CHILDREN, &usage) != 0)
        return 0;
    return double(usage.ru_maxrss) / 1024.0;
}
