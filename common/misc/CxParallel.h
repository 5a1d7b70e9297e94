// Runs a loop over independent items on the processor's cores: the items are cut into one
// contiguous range per thread. Small loops run on the calling thread alone.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

// fn(begin, end) is called for disjoint ranges that together cover 0 to n - 1; it must not
// touch what another range's call touches. Returns when every range is done.
template <typename Fn> void ParallelRanges(size_t n, size_t nMinPerThread, Fn fn) {
    size_t nThreads = std::thread::hardware_concurrency();
    nThreads = std::min<size_t>(std::max<size_t>(nThreads, 1), 8);
    if (nMinPerThread == 0)
        nMinPerThread = 1;
    nThreads = std::min(nThreads, std::max<size_t>(n / nMinPerThread, 1));
    if (nThreads <= 1) {
        fn((size_t)0, n);
        return;
    }
    std::vector<std::thread> threads;
    size_t nPer = (n + nThreads - 1) / nThreads;
    for (size_t t = 1; t < nThreads; ++t) {
        size_t begin = t * nPer, end = std::min(n, begin + nPer);
        if (begin < end)
            threads.emplace_back([=, &fn] { fn(begin, end); });
    }
    fn((size_t)0, std::min(n, nPer));
    for (std::thread& th : threads)
        th.join();
}
