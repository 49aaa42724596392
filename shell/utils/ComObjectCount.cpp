#include "shell/shell95/IUnknown.h"

namespace
{
std::atomic<long> liveObjects{0};
}

long ComObjectLiveCount()
{
    return liveObjects.load();
}

void ComObjectCreated()
{
    ++liveObjects;
}

void ComObjectDestroyed()
{
    --liveObjects;
}
