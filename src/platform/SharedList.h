#pragma once
// A list that is handed on rather than copied: copies of a SharedList share
// one vector that no holder ever changes, so passing a long list along (the
// caption lines of every published snapshot, the words of every undo step)
// costs a reference count. It reads as the list itself; a writer gets a copy
// of its own first (edit), so no other holder ever sees a change.
//
// Any thread; a value is as thread-safe as a shared_ptr to const.

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

namespace vt {

template <class T>
class SharedList {
public:
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;
    using iterator = const_iterator;

    SharedList() = default;
    SharedList(std::vector<T> items)  // implicit: a list is one
        : items_(std::make_shared<const std::vector<T>>(std::move(items)))
    {
    }
    SharedList(std::initializer_list<T> items) : SharedList(std::vector<T>(items)) {}

    const std::vector<T>& list() const
    {
        static const std::vector<T> none;
        return items_ ? *items_ : none;
    }
    operator const std::vector<T>&() const { return list(); }
    const_iterator begin() const { return list().begin(); }
    const_iterator end() const { return list().end(); }
    std::size_t size() const { return list().size(); }
    bool empty() const { return list().empty(); }
    const T& operator[](std::size_t i) const { return list()[i]; }

    // The list to change, copied from the shared one on every call; good
    // until this list is next edited, copied or assigned.
    std::vector<T>& edit()
    {
        auto own = std::make_shared<std::vector<T>>(list());
        items_ = own;
        return *own;
    }

    friend bool operator==(const SharedList& a, const std::vector<T>& b) { return a.list() == b; }
    friend bool operator==(const SharedList& a, const SharedList& b)
    {
        return a.items_ == b.items_ || a.list() == b.list();
    }

private:
    std::shared_ptr<const std::vector<T>> items_;
};

}  // namespace vt
