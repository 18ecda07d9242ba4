#pragma once
// Blocking work (a request, a download) run on a thread of its own while the GUI thread
// goes on handling events, so the windows stay responsive. Returns when the work has
// ended; an exception of the work passes on to the caller.

#include <functional>
#include <optional>

void RunOffGuiThread(const std::function<void()>& work);

template <class T>
T RunOffGuiThread(const std::function<T()>& work)
{
    std::optional<T> result;
    RunOffGuiThread(std::function<void()>([&] { result.emplace(work()); }));
    return std::move(*result);
}
