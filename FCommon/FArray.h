// FCArray: a heap block of exactly `count` elements. Every size change
// allocates the new block first, so a failed allocation throws
// FCMemException and leaves the array as it was.
#pragma once

#include "FCommon/FException.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

// Allocation goes through one replaceable function, so that tests can make
// it fail. Null restores malloc. Returns the previous hook.
using FCAllocFunction = void* (*)(size_t bytes);
FCAllocFunction FCSetAllocHook(FCAllocFunction hook);
void* FCAllocate(size_t bytes);

template <class T> class FCArray {
    static_assert(std::is_trivially_copyable<T>::value, "FCArray holds plain elements");

public:
    explicit FCArray(uint32_t count = 0) : m_Ptr(nullptr), m_Count(0) {
        if (count) {
            m_Ptr = Allocate(count, 85, "FCArray::FCArray");
            m_Count = count;
        }
    }
    FCArray(const FCArray& other) : m_Ptr(nullptr), m_Count(0) { _Copy(other.m_Ptr, other.m_Count); }

    virtual ~FCArray() { std::free(m_Ptr); }

    virtual void Resize(uint32_t n, const T& fill) {
        if (n == 0) {
            Clear();
            return;
        }
        T* p = Allocate(n, 163, "FCArray::Resize");
        uint32_t keep = n < m_Count ? n : m_Count;
        CopyElements(p, m_Ptr, keep);
        for (uint32_t i = m_Count; i < n; ++i)
            p[i] = fill;
        Replace(p, n);
    }
    virtual void Resize(uint32_t n) {
        if (n == 0) {
            Clear();
            return;
        }
        T* p = Allocate(n, 133, "FCArray::Resize");
        CopyElements(p, m_Ptr, n < m_Count ? n : m_Count);
        Replace(p, n);
    }
    virtual void Fill(const T& value, uint32_t first, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i)
            m_Ptr[first + i] = value;
    }
    virtual void Fill(const T& value) { Fill(value, 0, m_Count); }
    virtual void _Copy(const T* source, uint32_t n) {
        if (n == 0) {
            Clear();
            return;
        }
        T* p = Allocate(n, 61, "FCArray::_Copy");
        CopyElements(p, source, n);
        Replace(p, n);
    }
    virtual void Insert(uint32_t index, const T* source, uint32_t n) {
        if (n == 0)
            return;
        T* p = Allocate(m_Count + n, 238, "FCArray::Insert");
        CopyElements(p, m_Ptr, index);
        CopyElements(p + index, source, n);
        CopyElements(p + index + n, m_Ptr + index, m_Count - index);
        Replace(p, m_Count + n);
    }
    virtual void Set(uint32_t index, const T* source, uint32_t n) { CopyElements(m_Ptr + index, source, n); }
    virtual void Delete(uint32_t index, uint32_t n) {
        if (n == 0)
            return;
        if (index == 0 && n == m_Count) {
            Clear();
            return;
        }
        T* p = Allocate(m_Count - n, 301, "FCArray::Delete");
        CopyElements(p, m_Ptr, index);
        CopyElements(p + index, m_Ptr + index + n, m_Count - index - n);
        Replace(p, m_Count - n);
    }
    virtual const T* GetData() const { return m_Ptr; }
    virtual T* GetData() { return m_Ptr; }
    // Takes the block; the caller now owns the old one.
    virtual T* Attach(T* block, uint32_t count) {
        T* old = m_Ptr;
        m_Ptr = block;
        m_Count = count;
        return old;
    }
    virtual uint32_t GetCount() const { return m_Count; }
    virtual FCArray& operator=(const FCArray& other) {
        if (this != &other)
            _Copy(other.m_Ptr, other.m_Count);
        return *this;
    }
    virtual const T* At(uint32_t index) const { return m_Ptr + index; }
    virtual T* At(uint32_t index) { return m_Ptr + index; }

protected:
    T* m_Ptr;
    uint32_t m_Count;

private:
    static T* Allocate(uint32_t count, int line, const char* operation) {
        const size_t bytes = static_cast<size_t>(count) * sizeof(T);
        void* p = FCAllocate(bytes);
        if (!p)
            throw FCMemException(__FILE__, line, operation, static_cast<int>(bytes));
        return static_cast<T*>(p);
    }
    static void CopyElements(T* to, const T* from, uint32_t n) {
        if (n)
            std::memcpy(to, from, static_cast<size_t>(n) * sizeof(T));
    }
    void Clear() {
        std::free(m_Ptr);
        m_Ptr = nullptr;
        m_Count = 0;
    }
    void Replace(T* block, uint32_t count) {
        std::free(m_Ptr);
        m_Ptr = block;
        m_Count = count;
    }
};
