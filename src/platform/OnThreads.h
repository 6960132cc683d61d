#pragma once

#include <system_error>
#include <thread>
#include <vector>

// Runs work(0) here and work(1) .. work(count - 1) on threads of their own,
// all finished on return; a part no thread can be had for runs here too.
template <typename Work> void OnThreads(int count, const Work& work)
{
    std::vector<std::jthread> helpers;
    for (int i = 1; i < count; ++i) {
        try {
            helpers.emplace_back(work, i);
        } catch (const std::system_error&) {
            work(i);
        }
    }
    work(0);
}
