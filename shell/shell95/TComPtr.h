#pragma once

#include "shell/shell95/IUnknown.h"

#include <utility>

// Holds one reference to an interface. put() releases what is held and
// returns the slot for an out parameter.
template <class T> class TComPtr
{
  public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // Takes over the reference of a freshly created object.
    static TComPtr adopt(T* p)
    {
        TComPtr r;
        r.m_p = p;
        return r;
    }
    // Adds a reference of its own.
    static TComPtr share(T* p)
    {
        if (p)
            p->AddRef();
        return adopt(p);
    }
    TComPtr(const TComPtr& other) : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    TComPtr(TComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    TComPtr& operator=(TComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~TComPtr() { reset(); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    T** put()
    {
        reset();
        return &m_p;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    T* detach() { return std::exchange(m_p, nullptr); }
    void reset()
    {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
    }

  private:
    T* m_p = nullptr;
};
