#pragma once

#include "shell/shell95/TItemIDList.h"
#include "shell/utils/ShellMalloc.h"

#include <utility>

// Owns one identifier list from the shell allocator and frees it when it goes.
// put() frees what is held and returns the slot for an out parameter.
class TIdListPtr
{
  public:
    TIdListPtr() = default;
    explicit TIdListPtr(PItemIDList idList) : m_p(idList) {}
    TIdListPtr(const TIdListPtr&) = delete;
    TIdListPtr& operator=(const TIdListPtr&) = delete;
    TIdListPtr(TIdListPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    TIdListPtr& operator=(TIdListPtr&& other) noexcept
    {
        reset(std::exchange(other.m_p, nullptr));
        return *this;
    }
    ~TIdListPtr() { reset(); }

    PItemIDList get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    PItemIDList* put()
    {
        reset();
        return &m_p;
    }
    PItemIDList release() { return std::exchange(m_p, nullptr); }
    void reset(PItemIDList idList = nullptr) { ShellMemFree(std::exchange(m_p, idList)); }

  private:
    PItemIDList m_p = nullptr;
};
