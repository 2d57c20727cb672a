// A model file read through and checked, waiting to replace the model: the
// readers gather what they would store as steps, and nothing changes until
// Apply runs them, so a refused file leaves the current model as it was.
#pragma once

#include <functional>
#include <utility>
#include <vector>

class CPendingModel {
public:
    void Then(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    template <class T>
    void Put(T& target, T value)
    {
        Then([&target, value] { target = value; });
    }
    // Stores what was read, in the order it was read.
    void Apply() const
    {
        for (const auto& step : m_steps) step();
    }
    void Clear() { m_steps.clear(); }

private:
    std::vector<std::function<void()>> m_steps;
};
