#pragma once

#include "platform/ResultCodes.h"
#include "shell/shell95/TGUID.h"

#include <atomic>
#include <cstdint>

class QWidget;

// The owner window passed to shell calls: the form at the top of the calling
// control, or null.
using HWND = QWidget*;

// Bind contexts are never used by this system; the parameter is kept so that
// calls read like the operations they stand for. Always null.
struct IBindCtx;

// Reference-counted interface base. A new object starts with one reference,
// owned by whoever created it; Release deletes it at zero.
class IUnknown
{
  public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

  protected:
    virtual ~IUnknown() = default;
};

// Objects made with TComObject and not yet deleted, so tests can find
// references that were never released.
long ComObjectLiveCount();
void ComObjectCreated();
void ComObjectDestroyed();

// Reference counting for one interface chain; QueryInterface stays the
// implementer's. The count is atomic because identifier-list primitives and
// the allocator are used from the change-notification thread too.
template <class Interface> class TComObject : public Interface
{
  public:
    TComObject() { ComObjectCreated(); }
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;
    ~TComObject() override { ComObjectDestroyed(); }

    std::uint32_t AddRef() override { return ++m_refCount; }
    std::uint32_t Release() override
    {
        const std::uint32_t left = --m_refCount;
        if (left == 0)
            delete this;
        return left;
    }

  protected:
    // The answer of an object with one interface: itself, for IUnknown and
    // for its own interface identifier.
    HRESULT QueryOwnInterface(REFIID asked, REFIID own, void** object)
    {
        if (!object)
            return E_POINTER;
        if (!(asked == IID_IUnknown || asked == own)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

    std::atomic<std::uint32_t> m_refCount{1};
};
