#pragma once
// A two-way binding: how a control reads its owner's value and writes a new
// one. Controls keep no value of their own; they read through `get` whenever
// they redraw and write through `set`.

#include <functional>

namespace vt::ui {

template <class T>
struct Binding {
    std::function<T()> get;
    std::function<void(const T&)> set;

    // A binding over a plain variable the caller keeps alive.
    static Binding over(T& storage)
    {
        return {[&storage] { return storage; }, [&storage](const T& v) { storage = v; }};
    }
};

}  // namespace vt::ui
