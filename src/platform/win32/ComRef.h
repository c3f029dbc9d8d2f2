#pragma once
// One reference to a COM object, released when the holder goes.
#include <unknwn.h>

#include <utility>

namespace platform::win32 {

template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference that was handed to us (an out parameter of a COM call).
    explicit ComRef(T* adopted) : FObject(adopted) {}
    ComRef(const ComRef& other) : FObject(other.FObject) {
        if (FObject) FObject->AddRef();
    }
    ComRef(ComRef&& other) noexcept : FObject(std::exchange(other.FObject, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(FObject, other.FObject);
        return *this;
    }
    ~ComRef() {
        if (FObject) FObject->Release();
    }

    T* get() const { return FObject; }
    T* operator->() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }
    // The slot for an out parameter; whatever was held is released first.
    T** put() {
        *this = ComRef();
        return &FObject;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    // Another face of the same object, or an empty reference.
    template <class U>
    ComRef<U> As(REFIID iid) const {
        ComRef<U> other;
        if (FObject) FObject->QueryInterface(iid, other.put_void());
        return other;
    }

private:
    T* FObject = nullptr;
};

}  // namespace platform::win32
