#pragma once

#include <utility>

namespace tidemark {

// Holds one reference to an intrusively counted object (AddRef / Release).
// Notes and items are counted because automation clients may keep them
// alive after the note has dropped them.
template <typename T>
class RefPtr {
public:
    RefPtr() = default;
    // Takes over a reference the caller already owns.
    static RefPtr Adopt(T* object) {
        RefPtr p;
        p.m_object = object;
        return p;
    }
    // Adds a reference of its own.
    static RefPtr Share(T* object) {
        if (object) object->AddRef();
        return Adopt(object);
    }
    RefPtr(const RefPtr& other) : m_object(other.m_object) {
        if (m_object) m_object->AddRef();
    }
    RefPtr(RefPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <typename U>
    RefPtr(RefPtr<U>&& other) noexcept : m_object(other.Detach()) {}  // NOLINT: upcast
    RefPtr& operator=(RefPtr other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~RefPtr() {
        if (m_object) m_object->Release();
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(m_object, nullptr); }

private:
    T* m_object = nullptr;
};

}  // namespace tidemark
