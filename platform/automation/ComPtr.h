#pragma once
// Holders that release what they own: ComPtr<T> for interface pointers and
// ScopedBstr for automation strings, so no path forgets a Release or a
// SysFreeString.

#include <cstddef>
#include <string>
#include <utility>

#include "platform/automation/Bstr.h"

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a reference of its own; the caller keeps theirs.
    explicit ComPtr(T* object) : m_object(object) {
        if (m_object) m_object->AddRef();
    }
    // Takes over a reference the caller owns (a fresh object, an out argument).
    static ComPtr Adopt(T* object) {
        ComPtr held;
        held.m_object = object;
        return held;
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_object) {}
    ComPtr(ComPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    void Reset() {
        if (T* object = std::exchange(m_object, nullptr)) object->Release();
    }
    // Hands the reference to the caller, who must release it.
    T* Detach() { return std::exchange(m_object, nullptr); }
    // A reference of the caller's own, for whoever takes one over (a driver's
    // Attach, an out argument); this holder keeps its own.
    T* NewReference() const {
        if (m_object) m_object->AddRef();
        return m_object;
    }
    // For an out argument: releases what is held and returns the slot to fill.
    T** Receive() {
        Reset();
        return &m_object;
    }
    // The same for the untyped out argument of QueryInterface and its kind.
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    T* m_object = nullptr;
};

class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(std::string_view text) : m_text(BstrFromNarrow(text)) {}
    static ScopedBstr Adopt(BSTR text) {
        ScopedBstr held;
        held.m_text = text;
        return held;
    }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ScopedBstr(ScopedBstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    ScopedBstr& operator=(ScopedBstr&& other) noexcept {
        std::swap(m_text, other.m_text);
        return *this;
    }
    ~ScopedBstr() { SysFreeString(m_text); }

    BSTR Get() const { return m_text; }
    std::string Narrow() const { return NarrowFromBstr(m_text); }
    BSTR Detach() { return std::exchange(m_text, nullptr); }
    BSTR* Receive() {
        SysFreeString(std::exchange(m_text, nullptr));
        return &m_text;
    }

private:
    BSTR m_text = nullptr;
};
