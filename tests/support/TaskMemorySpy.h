// Watches the COM task allocator from its first use on, so a test can tell whether a block
// handed out with CoTaskMemAlloc was given back with CoTaskMemFree.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <mutex>
#include <set>

class TaskMemorySpy final : public IMallocSpy
{
public:
    // Registered once and never revoked: the allocator may call its spy until the process ends.
    static TaskMemorySpy& Instance()
    {
        static TaskMemorySpy* spy = new TaskMemorySpy();
        return *spy;
    }
    TaskMemorySpy(const TaskMemorySpy&) = delete;
    TaskMemorySpy& operator=(const TaskMemorySpy&) = delete;

    bool Registered() const { return registered; }
    // True when `block` was freed and not handed out again since.
    bool WasFreed(const void* block)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return freed.count(block) != 0;
    }

    // IUnknown: the spy lives as long as the process.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMallocSpy)) {
            *out = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IMallocSpy: nothing is padded or moved, only frees are noted.
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* actual) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        freed.erase(actual);
        return actual;
    }
    void* STDMETHODCALLTYPE PreFree(void* request, BOOL) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (request)
            freed.insert(request);
        return request;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override
    {
        *newRequest = request;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    TaskMemorySpy() { registered = SUCCEEDED(CoRegisterMallocSpy(this)); }

    bool registered = false;
    std::mutex mutex;
    std::set<const void*> freed;
};
