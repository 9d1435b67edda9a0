// A memory stream that remembers the largest read asked of it: a loader that asks for more than
// the stream holds has allocated that much first.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

#include <algorithm>

class ReadSizeStream final : public IStream
{
public:
    explicit ReadSizeStream(IStream* inner) : inner(inner) {}
    ULONG largestRead = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) || IsEqualIID(iid, IID_IStream)) {
            *out = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(void* data, ULONG size, ULONG* read) override
    {
        largestRead = std::max(largestRead, size);
        return inner->Read(data, size, read);
    }
    STDMETHODIMP Write(const void* data, ULONG size, ULONG* written) override { return inner->Write(data, size, written); }
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override
    {
        return inner->Seek(move, origin, position);
    }
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override { return inner->SetSize(size); }
    STDMETHODIMP CopyTo(IStream* to, ULARGE_INTEGER size, ULARGE_INTEGER* read, ULARGE_INTEGER* written) override
    {
        return inner->CopyTo(to, size, read, written);
    }
    STDMETHODIMP Commit(DWORD flags) override { return inner->Commit(flags); }
    STDMETHODIMP Revert() override { return inner->Revert(); }
    STDMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override
    {
        return inner->LockRegion(offset, size, type);
    }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override
    {
        return inner->UnlockRegion(offset, size, type);
    }
    STDMETHODIMP Stat(STATSTG* status, DWORD flags) override { return inner->Stat(status, flags); }
    STDMETHODIMP Clone(IStream** copy) override { return inner->Clone(copy); }

private:
    Microsoft::WRL::ComPtr<IStream> inner;
};
