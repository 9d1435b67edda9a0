// What every fake platform object shares: a name, a reference count that tests can read, calls
// that are logged and answer as scripted, and interfaces a test can withdraw.
#pragma once

#include "fakes/ArgText.h"
#include "fakes/CallLog.h"

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class FakeObject
{
public:
    // The name is the kind followed by the number of fakes of that kind made before ("vmr0").
    explicit FakeObject(const std::string& kind);
    FakeObject(const FakeObject&) = delete;
    FakeObject& operator=(const FakeObject&) = delete;
    virtual ~FakeObject();

    const std::string& Name() const { return name; }
    const std::string& Kind() const { return kind; }
    ULONG RefCount() const { return refs; }
    // Releases that found the count already at 0 (the object is kept, so they cannot crash).
    int OverReleases() const { return overReleases; }

    // True for parts (pins) whose life is their owner's, never deleted on their own.
    virtual bool OwnedByAnother() const { return false; }

    // From now on QueryInterface for `iid` answers E_NOINTERFACE.
    void Hide(REFIID iid);
    void Unhide(REFIID iid);
    bool IsHidden(REFIID iid) const;

protected:
    // Logs the call and returns the scripted answer (S_OK when none). Fakes return a failure
    // answer at once; on a success answer they do their work and return that answer.
    HRESULT Enter(const char* method, std::vector<std::string> args = {});
    template <class T> HRESULT EnterWithRecord(const char* method, std::vector<std::string> args,
                                               const T& record)
    {
        CallRecord call{name, method, std::move(args), {}};
        call.SetRaw(record);
        return Enter(call);
    }
    HRESULT Enter(const CallRecord& call);
    // A getter's whole answer: the scripted failure, E_POINTER for a null out, else `value`.
    template <class T, class V> HRESULT Answer(const char* method, T* out, const V& value)
    {
        HRESULT answer = Enter(method, Args(Out(out)));
        if (SUCCEEDED(answer) && !out)
            return E_POINTER;
        if (SUCCEEDED(answer))
            *out = value;
        return answer;
    }

    // Virtual so that a pin can count its references on its filter, as pins do.
    virtual ULONG AddRefCount();
    virtual ULONG ReleaseCount();
    HRESULT QueryWith(REFIID iid, void** out, void* found);
    // Drops what the object holds when the last reference goes, as destruction would.
    virtual void OnFinalRelease() {}

    using Offer = std::pair<const IID*, void*>;
    static void* Pick(REFIID iid, std::initializer_list<Offer> offers);

private:
    std::string kind;
    std::string name;
    std::atomic<ULONG> refs{0};
    std::atomic<int> overReleases{0};
    mutable std::mutex hiddenMutex;
    std::vector<IID> hidden;
};

// IUnknown for a fake implementing `Interfaces` on top of `Core` (FakeObject or a subclass).
// The most derived class lists what QueryInterface offers in FindInterface.
template <class Core, class First, class... Rest>
class FakeCom : public Core, public First, public Rest...
{
public:
    using Core::Core;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        return this->QueryWith(iid, out,
                               IsEqualIID(iid, IID_IUnknown) ? Identity() : FindInterface(iid));
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return this->AddRefCount(); }
    ULONG STDMETHODCALLTYPE Release() override { return this->ReleaseCount(); }

    IUnknown* Identity() { return static_cast<First*>(this); }

protected:
    virtual void* FindInterface(REFIID iid) = 0;
};
