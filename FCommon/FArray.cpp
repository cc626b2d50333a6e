#include "FCommon/FArray.h"

namespace {
FCAllocFunction g_allocHook = nullptr;
}

FCAllocFunction FCSetAllocHook(FCAllocFunction hook) {
    FCAllocFunction previous = g_allocHook;
    g_allocHook = hook;
    return previous;
}

void* FCAllocate(size_t bytes) { return g_allocHook ? g_allocHook(bytes) : std::malloc(bytes); }
