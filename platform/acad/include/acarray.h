// AcArray<T>: the host's growable array. Elements live in one block of
// physicalLength() default-constructed slots; the first logicalLength() of them are
// the array's contents. When an append finds the block full, the block grows by the
// larger of growLength() and half its current size, so long arrays are not copied
// once per grow-length step.
//
// Indexing (operator[], at, first, last) is always checked. An index outside
// 0..logicalLength()-1 writes a message naming the operation, the index and the length
// to standard error; a debug build (NDEBUG not defined) then aborts. A release build
// goes on with a reference to a scratch element that is reset to T() at every bad
// access: reads give T(), writes are discarded, no memory outside the array is touched.
// insertAt and removeAt with a bad index report the same way and change nothing.
#pragma once

#include "adesk.h"

#include <initializer_list>
#include <utility>

// Reports a bad index on an AcArray; aborts when abortAfter is true.
void acArrayReportBadIndex(const char* operation, int index, int logicalLength, bool abortAfter);

template <class T> class AcArray {
public:
    static constexpr int kDefaultGrowLength = 8;

    explicit AcArray(int initPhysicalLength = 0, int initGrowLength = kDefaultGrowLength)
        : mGrowLen(initGrowLength > 0 ? initGrowLength : 1) {
        if (initPhysicalLength > 0)
            reallocate(initPhysicalLength);
    }
    AcArray(std::initializer_list<T> values) {
        reallocate(static_cast<int>(values.size()));
        for (const T& v : values)
            mpArray[mLogicalLen++] = v;
    }
    AcArray(const AcArray& other) : mGrowLen(other.mGrowLen) {
        reallocate(other.mPhysicalLen);
        for (int i = 0; i < other.mLogicalLen; ++i)
            mpArray[i] = other.mpArray[i];
        mLogicalLen = other.mLogicalLen;
    }
    AcArray(AcArray&& other) noexcept
        : mpArray(std::exchange(other.mpArray, nullptr)),
          mPhysicalLen(std::exchange(other.mPhysicalLen, 0)),
          mLogicalLen(std::exchange(other.mLogicalLen, 0)), mGrowLen(other.mGrowLen) {}
    ~AcArray() { delete[] mpArray; }

    AcArray& operator=(const AcArray& other) {
        if (this != &other) {
            if (mPhysicalLen < other.mLogicalLen)
                reallocate(other.mLogicalLen);
            for (int i = 0; i < other.mLogicalLen; ++i)
                mpArray[i] = other.mpArray[i];
            for (int i = other.mLogicalLen; i < mLogicalLen; ++i)
                mpArray[i] = T();
            mLogicalLen = other.mLogicalLen;
        }
        return *this;
    }
    AcArray& operator=(AcArray&& other) noexcept {
        if (this != &other) {
            delete[] mpArray;
            mpArray = std::exchange(other.mpArray, nullptr);
            mPhysicalLen = std::exchange(other.mPhysicalLen, 0);
            mLogicalLen = std::exchange(other.mLogicalLen, 0);
        }
        return *this;
    }

    bool operator==(const AcArray& other) const {
        if (mLogicalLen != other.mLogicalLen)
            return false;
        for (int i = 0; i < mLogicalLen; ++i)
            if (!(mpArray[i] == other.mpArray[i]))
                return false;
        return true;
    }
    bool operator!=(const AcArray& other) const { return !(*this == other); }

    // Element access (checked, see the top of this file).
    T& operator[](int i) { return isValid(i) ? mpArray[i] : badIndex("operator[]", i); }
    const T& operator[](int i) const { return isValid(i) ? mpArray[i] : badIndex("operator[]", i); }
    T& at(int i) { return isValid(i) ? mpArray[i] : badIndex("at", i); }
    const T& at(int i) const { return isValid(i) ? mpArray[i] : badIndex("at", i); }
    T& first() { return mLogicalLen > 0 ? mpArray[0] : badIndex("first", 0); }
    const T& first() const { return mLogicalLen > 0 ? mpArray[0] : badIndex("first", 0); }
    T& last() { return mLogicalLen > 0 ? mpArray[mLogicalLen - 1] : badIndex("last", -1); }
    const T& last() const {
        return mLogicalLen > 0 ? mpArray[mLogicalLen - 1] : badIndex("last", -1);
    }

    // Adds the value at the end and returns its index.
    int append(const T& value) {
        if (mLogicalLen == mPhysicalLen) {
            T copy(value); // value may be an element of this array
            growFor(mLogicalLen + 1);
            mpArray[mLogicalLen] = std::move(copy);
        } else {
            mpArray[mLogicalLen] = value;
        }
        return mLogicalLen++;
    }
    AcArray& append(const AcArray& other) {
        const int n = other.mLogicalLen; // other may be *this
        if (mLogicalLen + n > mPhysicalLen)
            growFor(mLogicalLen + n);
        for (int i = 0; i < n; ++i)
            mpArray[mLogicalLen + i] = other.mpArray[i];
        mLogicalLen += n;
        return *this;
    }
    // Inserts before the element at index; index == logicalLength() appends.
    AcArray& insertAt(int index, const T& value) {
        if (index < 0 || index > mLogicalLen) {
            badIndex("insertAt", index);
            return *this;
        }
        T copy(value);
        if (mLogicalLen == mPhysicalLen)
            growFor(mLogicalLen + 1);
        for (int i = mLogicalLen; i > index; --i)
            mpArray[i] = std::move(mpArray[i - 1]);
        mpArray[index] = std::move(copy);
        ++mLogicalLen;
        return *this;
    }
    AcArray& removeAt(int index) {
        if (!isValid(index)) {
            badIndex("removeAt", index);
            return *this;
        }
        for (int i = index; i + 1 < mLogicalLen; ++i)
            mpArray[i] = std::move(mpArray[i + 1]);
        mpArray[--mLogicalLen] = T();
        return *this;
    }
    // Removes the first element equal to value at or after start; false when none is.
    bool remove(const T& value, int start = 0) {
        const int i = findFrom(value, start);
        if (i < 0)
            return false;
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { return removeAt(mLogicalLen - 1); }
    // Removes the elements startIndex..endIndex, both included.
    AcArray& removeSubArray(int startIndex, int endIndex) {
        if (!isValid(startIndex) || !isValid(endIndex) || endIndex < startIndex) {
            badIndex("removeSubArray", isValid(startIndex) ? endIndex : startIndex);
            return *this;
        }
        const int n = endIndex - startIndex + 1;
        for (int i = startIndex; i + n < mLogicalLen; ++i)
            mpArray[i] = std::move(mpArray[i + n]);
        for (int i = mLogicalLen - n; i < mLogicalLen; ++i)
            mpArray[i] = T();
        mLogicalLen -= n;
        return *this;
    }
    // Empties the array; the block is kept.
    AcArray& removeAll() {
        for (int i = 0; i < mLogicalLen; ++i)
            mpArray[i] = T();
        mLogicalLen = 0;
        return *this;
    }

    bool contains(const T& value, int start = 0) const { return findFrom(value, start) >= 0; }
    bool find(const T& value, int& foundAt, int start = 0) const {
        const int i = findFrom(value, start);
        if (i < 0)
            return false;
        foundAt = i;
        return true;
    }
    // Index of the first element equal to value, -1 when there is none.
    int find(const T& value) const { return findFrom(value, 0); }
    int findFrom(const T& value, int start) const {
        for (int i = start < 0 ? 0 : start; i < mLogicalLen; ++i)
            if (mpArray[i] == value)
                return i;
        return -1;
    }

    int logicalLength() const { return mLogicalLen; }
    int length() const { return mLogicalLen; }
    bool isEmpty() const { return mLogicalLen == 0; }
    // Elements exposed by lengthening are T(). A negative length is taken as 0.
    AcArray& setLogicalLength(int n) {
        if (n < 0)
            n = 0;
        if (n > mPhysicalLen)
            reallocate(n);
        for (int i = n; i < mLogicalLen; ++i)
            mpArray[i] = T();
        mLogicalLen = n;
        return *this;
    }
    int physicalLength() const { return mPhysicalLen; }
    // A physical length below the logical length drops the elements beyond it.
    AcArray& setPhysicalLength(int n) {
        reallocate(n < 0 ? 0 : n);
        return *this;
    }
    int growLength() const { return mGrowLen; }
    // A grow length below 1 is taken as 1.
    AcArray& setGrowLength(int n) {
        mGrowLen = n > 0 ? n : 1;
        return *this;
    }

    AcArray& setAll(const T& value) {
        for (int i = 0; i < mLogicalLen; ++i)
            mpArray[i] = value;
        return *this;
    }
    AcArray& reverse() {
        for (int i = 0, j = mLogicalLen - 1; i < j; ++i, --j)
            std::swap(mpArray[i], mpArray[j]);
        return *this;
    }
    AcArray& swap(int i, int j) {
        if (isValid(i) && isValid(j))
            std::swap(mpArray[i], mpArray[j]);
        else
            badIndex("swap", isValid(i) ? j : i);
        return *this;
    }

    T* asArrayPtr() { return mpArray; }
    const T* asArrayPtr() const { return mpArray; }
    T* begin() { return mpArray; }
    T* end() { return mpArray + mLogicalLen; }
    const T* begin() const { return mpArray; }
    const T* end() const { return mpArray + mLogicalLen; }

private:
    bool isValid(int i) const { return i >= 0 && i < mLogicalLen; }

    T& badIndex(const char* operation, int index) const {
#ifdef NDEBUG
        acArrayReportBadIndex(operation, index, mLogicalLen, false);
#else
        acArrayReportBadIndex(operation, index, mLogicalLen, true);
#endif
        static thread_local T scratch;
        scratch = T();
        return scratch;
    }

    void growFor(int needed) {
        const int half = mPhysicalLen / 2;
        int n = mPhysicalLen + (mGrowLen > half ? mGrowLen : half);
        reallocate(n > needed ? n : needed);
    }

    void reallocate(int n) {
        T* block = n > 0 ? new T[n] : nullptr;
        const int keep = mLogicalLen < n ? mLogicalLen : n;
        for (int i = 0; i < keep; ++i)
            block[i] = std::move(mpArray[i]);
        delete[] mpArray;
        mpArray = block;
        mPhysicalLen = n;
        mLogicalLen = keep;
    }

    T* mpArray = nullptr;
    int mPhysicalLen = 0;
    int mLogicalLen = 0;
    int mGrowLen = kDefaultGrowLength;
};
